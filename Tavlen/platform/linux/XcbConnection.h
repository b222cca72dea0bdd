#pragma once

#include <QList>
#include <QtGlobal>
#include <array>

struct xcb_connection_t;

namespace tavlen::linux_platform {

// A connection of our own to the X server of $DISPLAY, for the EWMH requests the platform
// makes beside Qt's. Errors are read where they happen and never left in the connection's
// event queue, which nothing reads: a window that vanished between two requests is only a
// failed request.
class XcbConnection {
public:
    // Unusable (isValid false) without a display or a reachable server.
    XcbConnection();
    ~XcbConnection();
    XcbConnection(const XcbConnection&) = delete;
    XcbConnection& operator=(const XcbConnection&) = delete;

    bool isValid() const;
    xcb_connection_t* raw() const { return m_connection; }
    quint32 root() const { return m_root; }
    int screenNumber() const { return m_screenNumber; }

    // 0 when the server does not answer.
    quint32 internAtom(const char* name) const;

    // The 32-bit values of a property, empty when it is missing or of another type.
    QList<quint32> values(quint32 window, quint32 property, quint32 type, quint32 maxValues) const;

    // An EWMH client message about `window` to the root window; false when the server refused it.
    bool sendToRoot(quint32 window, quint32 type, const std::array<quint32, 5>& data) const;

    // Drops the reply to a checked request; false when it failed.
    bool check(unsigned int sequence) const;

private:
    xcb_connection_t* m_connection = nullptr;
    quint32 m_root = 0;
    int m_screenNumber = 0;
};

} // namespace tavlen::linux_platform
