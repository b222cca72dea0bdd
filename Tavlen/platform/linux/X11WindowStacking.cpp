#include "platform/linux/X11WindowStacking.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <cstdlib>
#include <xcb/xcb.h>

namespace tavlen::linux_platform {

namespace {

// _NET_WM_DESKTOP's value for "every desktop".
constexpr quint32 allDesktops = 0xFFFFFFFF;
// _NET_WM_STATE's actions, and the source indication of a normal application.
constexpr quint32 stateRemove = 0;
constexpr quint32 stateAdd = 1;
constexpr quint32 sourceApplication = 1;
// More states than any window carries.
constexpr quint32 maxStates = 64;

} // namespace

X11WindowStacking::X11WindowStacking(void* toolkitConnection)
    : m_toolkitConnection(toolkitConnection)
    , m_wmPidAtom(m_x.internAtom("_NET_WM_PID"))
    , m_desktopAtom(m_x.internAtom("_NET_WM_DESKTOP"))
    , m_stateAtom(m_x.internAtom("_NET_WM_STATE"))
    , m_stickyAtom(m_x.internAtom("_NET_WM_STATE_STICKY"))
    , m_aboveAtom(m_x.internAtom("_NET_WM_STATE_ABOVE"))
    , m_skipTaskbarAtom(m_x.internAtom("_NET_WM_STATE_SKIP_TASKBAR"))
    , m_skipPagerAtom(m_x.internAtom("_NET_WM_STATE_SKIP_PAGER"))
    , m_compositorAtom(
          m_x.internAtom(QByteArray("_NET_WM_CM_S" + QByteArray::number(m_x.screenNumber())).constData()))
{}

bool X11WindowStacking::compositing() const
{
    if (!m_x.isValid() || !m_compositorAtom)
        return true;
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
        m_x.raw(), xcb_get_selection_owner(m_x.raw(), m_compositorAtom), nullptr);
    if (!reply)
        return true;
    const bool owned = reply->owner != XCB_NONE;
    std::free(reply);
    return owned;
}

void X11WindowStacking::keepOnAllDesktops(quintptr nativeWindowId)
{
    const auto window = static_cast<quint32>(nativeWindowId);
    if (!isOwnWindow(window) || !m_desktopAtom || !m_stickyAtom)
        return;
    if (isMapped(window)) {
        sendToRoot(window, m_desktopAtom, allDesktops, sourceApplication, 0);
    } else {
        m_x.check(xcb_change_property_checked(m_x.raw(), XCB_PROP_MODE_REPLACE, window, m_desktopAtom,
                                              XCB_ATOM_CARDINAL, 32, 1, &allDesktops)
                      .sequence);
    }
    changeState(window, m_stickyAtom, true);
}

void X11WindowStacking::keepAbove(quintptr nativeWindowId, bool above)
{
    const auto window = static_cast<quint32>(nativeWindowId);
    if (isOwnWindow(window) && m_aboveAtom)
        changeState(window, m_aboveAtom, above);
}

void X11WindowStacking::keepOffTaskbar(quintptr nativeWindowId)
{
    const auto window = static_cast<quint32>(nativeWindowId);
    if (!isOwnWindow(window))
        return;
    for (const quint32 state : {m_skipTaskbarAtom, m_skipPagerAtom}) {
        if (state)
            changeState(window, state, true);
    }
}

void X11WindowStacking::awaitToolkit() const
{
    if (!m_toolkitConnection)
        return;
    auto* connection = static_cast<xcb_connection_t*>(m_toolkitConnection);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

bool X11WindowStacking::isOwnWindow(quint32 window) const
{
    if (!m_x.isValid() || !window || !m_wmPidAtom || !m_stateAtom)
        return false;
    awaitToolkit();
    const QList<quint32> pid = m_x.values(window, m_wmPidAtom, XCB_ATOM_CARDINAL, 1);
    return !pid.isEmpty() && pid.front() == QCoreApplication::applicationPid();
}

bool X11WindowStacking::isMapped(quint32 window) const
{
    xcb_get_window_attributes_reply_t* reply =
        xcb_get_window_attributes_reply(m_x.raw(), xcb_get_window_attributes(m_x.raw(), window), nullptr);
    if (!reply)
        return false;
    const bool mapped = reply->map_state != XCB_MAP_STATE_UNMAPPED;
    std::free(reply);
    return mapped;
}

void X11WindowStacking::changeState(quint32 window, quint32 state, bool add)
{
    if (isMapped(window)) {
        sendToRoot(window, m_stateAtom, add ? stateAdd : stateRemove, state, 0);
        return;
    }
    // Before mapping the property is the window's own; the toolkit adds its states to the
    // ones found there when it maps the window.
    QList<quint32> states = m_x.values(window, m_stateAtom, XCB_ATOM_ATOM, maxStates);
    if (states.contains(state) == add)
        return;
    if (add)
        states.append(state);
    else
        states.removeAll(state);
    m_x.check(xcb_change_property_checked(m_x.raw(), XCB_PROP_MODE_REPLACE, window, m_stateAtom,
                                          XCB_ATOM_ATOM, 32, static_cast<quint32>(states.size()),
                                          states.constData())
                  .sequence);
}

void X11WindowStacking::sendToRoot(quint32 window, quint32 type, quint32 first, quint32 second, quint32 third)
{
    m_x.sendToRoot(window, type, {first, second, third, sourceApplication, 0});
}

} // namespace tavlen::linux_platform
