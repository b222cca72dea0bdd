#pragma once

#include "platform/KeySender.h"

#include <QString>

namespace tavlen::linux_platform {

// Types keys through a virtual keyboard of the kernel's (uinput), which the display server
// takes for one more keyboard: the one way to reach native Wayland windows, since no Wayland
// protocol lets a client type into another's. Needs write access to /dev/uinput. The keyboard
// is made when the sender is, because a display server takes a moment to adopt a new device
// and keys typed before that are lost. Modifiers as XTestKeySender maps them.
class UinputKeySender final : public KeySender {
public:
    explicit UinputKeySender(const QString& devicePath = QStringLiteral("/dev/uinput"));
    ~UinputKeySender() override;
    UinputKeySender(const UinputKeySender&) = delete;
    UinputKeySender& operator=(const UinputKeySender&) = delete;

    bool isAvailable() const { return m_descriptor >= 0; }
    bool post(quint16 macVirtualKey, qint64 eventFlags) override;

private:
    bool emitKey(quint16 evdevCode, bool pressed);

    int m_descriptor = -1;
};

} // namespace tavlen::linux_platform
