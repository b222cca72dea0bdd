#include "platform/linux/EwmhWindowActivator.h"

#include <QByteArray>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace tavlen::linux_platform {

namespace {

// Enough for any real desktop's client list.
constexpr quint32 maxClientWindows = 65536;
// _NET_ACTIVE_WINDOW's source indication for a request on the user's behalf.
constexpr quint32 sourcePager = 2;

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

QByteArray readProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t atom, xcb_atom_t type,
                        quint32 maxLongs)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, atom, type, 0, maxLongs), nullptr);
    if (!reply)
        return {};
    QByteArray bytes;
    if (reply->format == 32)
        bytes = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                           xcb_get_property_value_length(reply));
    std::free(reply);
    return bytes;
}

quint32 numberAt(const QByteArray& bytes, qsizetype index)
{
    quint32 value = 0;
    std::memcpy(&value, bytes.constData() + index * 4, 4);
    return value;
}

} // namespace

EwmhWindowActivator::EwmhWindowActivator()
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
    m_activeWindowAtom = internAtom(connection, "_NET_ACTIVE_WINDOW");
    m_clientListAtom = internAtom(connection, "_NET_CLIENT_LIST");
    m_wmPidAtom = internAtom(connection, "_NET_WM_PID");
}

EwmhWindowActivator::~EwmhWindowActivator()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

bool EwmhWindowActivator::activate(const RunningApplication& application)
{
    if (!m_connection || xcb_connection_has_error(m_connection) || !m_activeWindowAtom)
        return false;
    const quint32 window = windowOf(application.processIdentifier);
    if (!window)
        return false;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = m_activeWindowAtom;
    message.data.data32[0] = sourcePager;
    message.data.data32[1] = XCB_CURRENT_TIME;
    message.data.data32[2] = 0;
    const xcb_void_cookie_t cookie = xcb_send_event_checked(
        m_connection, 0, m_root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char*>(&message));
    xcb_generic_error_t* error = xcb_request_check(m_connection, cookie);
    if (error) {
        std::free(error);
        return false;
    }
    return true;
}

quint32 EwmhWindowActivator::windowOf(qint64 processIdentifier) const
{
    if (processIdentifier <= 0 || !m_clientListAtom || !m_wmPidAtom)
        return 0;
    const QByteArray clients =
        readProperty(m_connection, m_root, m_clientListAtom, XCB_ATOM_WINDOW, maxClientWindows);
    for (qsizetype i = 0; i < clients.size() / 4; ++i) {
        const quint32 window = numberAt(clients, i);
        const QByteArray pid = readProperty(m_connection, window, m_wmPidAtom, XCB_ATOM_CARDINAL, 1);
        if (pid.size() >= 4 && numberAt(pid, 0) == processIdentifier)
            return window;
    }
    return 0;
}

} // namespace tavlen::linux_platform
