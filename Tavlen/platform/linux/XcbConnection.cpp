#include "platform/linux/XcbConnection.h"

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace tavlen::linux_platform {

XcbConnection::XcbConnection()
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
    m_screenNumber = screenNumber;
}

XcbConnection::~XcbConnection()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

bool XcbConnection::isValid() const
{
    return m_connection && !xcb_connection_has_error(m_connection);
}

quint32 XcbConnection::internAtom(const char* name) const
{
    if (!m_connection)
        return XCB_ATOM_NONE;
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, static_cast<quint16>(std::strlen(name)), name),
        nullptr);
    if (!reply)
        return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

QList<quint32> XcbConnection::values(quint32 window, quint32 property, quint32 type, quint32 maxValues) const
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, property, type, 0, maxValues), nullptr);
    if (!reply)
        return {};
    QList<quint32> result;
    if (reply->format == 32 && reply->type == type) {
        const auto* data = static_cast<const quint32*>(xcb_get_property_value(reply));
        result = QList<quint32>(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return result;
}

bool XcbConnection::sendToRoot(quint32 window, quint32 type, const std::array<quint32, 5>& data) const
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    for (std::size_t i = 0; i < data.size(); ++i)
        message.data.data32[i] = data[i];
    return check(
        xcb_send_event_checked(m_connection, 0, m_root,
                               XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                               reinterpret_cast<const char*>(&message))
            .sequence);
}

bool XcbConnection::check(unsigned int sequence) const
{
    if (xcb_generic_error_t* error = xcb_request_check(m_connection, xcb_void_cookie_t{sequence})) {
        std::free(error);
        return false;
    }
    return true;
}

} // namespace tavlen::linux_platform
