#include "platform/linux/X11WindowStacking.h"

#include <QCoreApplication>
#include <QList>
#include <cstdlib>
#include <cstring>
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

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<quint16>(std::strlen(name)), name), nullptr);
    if (!reply)
        return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

// The 32-bit values of a property, empty when it is missing or of another type.
QList<quint32> readValues(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t atom, xcb_atom_t type,
                          quint32 maxValues)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, atom, type, 0, maxValues), nullptr);
    if (!reply)
        return {};
    QList<quint32> values;
    if (reply->format == 32 && reply->type == type) {
        const auto* data = static_cast<const quint32*>(xcb_get_property_value(reply));
        values = QList<quint32>(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

// A request whose failure (the window went away meanwhile) is read and dropped here rather
// than left in the connection's event queue, which nothing reads.
void check(xcb_connection_t* connection, xcb_void_cookie_t cookie)
{
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie))
        std::free(error);
}

} // namespace

X11WindowStacking::X11WindowStacking()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; it.rem && i < screenNumber; ++i)
        xcb_screen_next(&it);
    if (!it.rem) {
        xcb_disconnect(connection);
        return;
    }
    m_connection = connection;
    m_root = it.data->root;
    m_wmPidAtom = internAtom(connection, "_NET_WM_PID");
    m_desktopAtom = internAtom(connection, "_NET_WM_DESKTOP");
    m_stateAtom = internAtom(connection, "_NET_WM_STATE");
    m_stickyAtom = internAtom(connection, "_NET_WM_STATE_STICKY");
    m_aboveAtom = internAtom(connection, "_NET_WM_STATE_ABOVE");
    m_skipTaskbarAtom = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    m_skipPagerAtom = internAtom(connection, "_NET_WM_STATE_SKIP_PAGER");
}

X11WindowStacking::~X11WindowStacking()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

void X11WindowStacking::keepOnAllDesktops(quintptr nativeWindowId)
{
    const auto window = static_cast<quint32>(nativeWindowId);
    if (!isOwnWindow(window) || !m_desktopAtom || !m_stickyAtom)
        return;
    if (isMapped(window)) {
        sendToRoot(window, m_desktopAtom, allDesktops, sourceApplication, 0);
    } else {
        check(m_connection,
              xcb_change_property_checked(m_connection, XCB_PROP_MODE_REPLACE, window, m_desktopAtom,
                                          XCB_ATOM_CARDINAL, 32, 1, &allDesktops));
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

bool X11WindowStacking::isOwnWindow(quint32 window) const
{
    if (!m_connection || xcb_connection_has_error(m_connection) || !window || !m_wmPidAtom || !m_stateAtom)
        return false;
    const QList<quint32> pid = readValues(m_connection, window, m_wmPidAtom, XCB_ATOM_CARDINAL, 1);
    return !pid.isEmpty() && pid.front() == QCoreApplication::applicationPid();
}

bool X11WindowStacking::isMapped(quint32 window) const
{
    xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, window), nullptr);
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
    QList<quint32> states = readValues(m_connection, window, m_stateAtom, XCB_ATOM_ATOM, maxStates);
    if (states.contains(state) == add)
        return;
    if (add)
        states.append(state);
    else
        states.removeAll(state);
    check(m_connection,
          xcb_change_property_checked(m_connection, XCB_PROP_MODE_REPLACE, window, m_stateAtom, XCB_ATOM_ATOM,
                                      32, static_cast<quint32>(states.size()), states.constData()));
}

void X11WindowStacking::sendToRoot(quint32 window, quint32 type, quint32 first, quint32 second, quint32 third)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    message.data.data32[0] = first;
    message.data.data32[1] = second;
    message.data.data32[2] = third;
    message.data.data32[3] = sourceApplication;
    check(m_connection,
          xcb_send_event_checked(m_connection, 0, m_root,
                                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                                 reinterpret_cast<const char*>(&message)));
}

} // namespace tavlen::linux_platform
