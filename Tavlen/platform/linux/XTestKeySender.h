#pragma once

#include "platform/KeySender.h"

#include <QByteArray>
#include <memory>

namespace tavlen::linux_platform {

// Types keys through the XTEST extension of the X server, into the window with the focus.
// Modifiers map Command to Super, Control to Control, Option to Alt and Shift to Shift (the
// left-hand keys); Function has no key and is dropped. Without an X display, or a server
// without XTEST, nothing can be typed and every post answers false.
class XTestKeySender final : public KeySender {
public:
    // `displayName` as XOpenDisplay takes it; empty for $DISPLAY.
    explicit XTestKeySender(const QByteArray& displayName = {});
    ~XTestKeySender() override;
    XTestKeySender(const XTestKeySender&) = delete;
    XTestKeySender& operator=(const XTestKeySender&) = delete;

    bool isAvailable() const;
    bool post(quint16 macVirtualKey, qint64 eventFlags) override;

private:
    struct Connection;
    std::unique_ptr<Connection> m_connection;
};

} // namespace tavlen::linux_platform
