#include "platform/linux/UinputKeySender.h"

#include "platform/KeyInput.h"
#include "platform/linux/MacKeyCodes.h"

#include <QFile>
#include <QList>
#include <cstring>
#include <fcntl.h>
#include <linux/uinput.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tavlen::linux_platform {

namespace {

bool writeEvent(int descriptor, quint16 type, quint16 code, qint32 value)
{
    input_event event{};
    event.type = type;
    event.code = code;
    event.value = value;
    return ::write(descriptor, &event, sizeof(event)) == static_cast<ssize_t>(sizeof(event));
}

} // namespace

UinputKeySender::UinputKeySender(const QString& devicePath)
{
    const int descriptor =
        ::open(QFile::encodeName(devicePath).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return;
    bool ok = ioctl(descriptor, UI_SET_EVBIT, EV_KEY) == 0;
    for (const MacKeyCodes::Entry& entry : MacKeyCodes::entries())
        ok = ok && ioctl(descriptor, UI_SET_KEYBIT, static_cast<int>(entry.evdev)) == 0;
    for (const quint16 modifier : MacKeyCodes::evdevModifiersOf(EventFlag::Command | EventFlag::Control |
                                                                EventFlag::Option | EventFlag::Shift))
        ok = ok && ioctl(descriptor, UI_SET_KEYBIT, static_cast<int>(modifier)) == 0;
    uinput_setup setup{};
    setup.id.bustype = BUS_VIRTUAL;
    std::strncpy(setup.name, "Tavlen virtual keyboard", UINPUT_MAX_NAME_SIZE - 1);
    ok = ok && ioctl(descriptor, UI_DEV_SETUP, &setup) == 0 && ioctl(descriptor, UI_DEV_CREATE) == 0;
    if (!ok) {
        ::close(descriptor);
        return;
    }
    m_descriptor = descriptor;
}

UinputKeySender::~UinputKeySender()
{
    if (m_descriptor < 0)
        return;
    ioctl(m_descriptor, UI_DEV_DESTROY);
    ::close(m_descriptor);
}

bool UinputKeySender::emitKey(quint16 evdevCode, bool pressed)
{
    return writeEvent(m_descriptor, EV_KEY, evdevCode, pressed ? 1 : 0) &&
           writeEvent(m_descriptor, EV_SYN, SYN_REPORT, 0);
}

bool UinputKeySender::post(quint16 macVirtualKey, qint64 eventFlags)
{
    if (m_descriptor < 0)
        return false;
    const std::optional<quint16> key = MacKeyCodes::evdevFromMac(macVirtualKey);
    if (!key)
        return false;
    const QList<quint16> modifiers = MacKeyCodes::evdevModifiersOf(eventFlags);
    bool ok = true;
    for (const quint16 code : modifiers)
        ok = emitKey(code, true) && ok;
    ok = emitKey(*key, true) && ok;
    ok = emitKey(*key, false) && ok;
    // Every key that went down goes up again, whatever failed in between.
    for (auto code = modifiers.crbegin(); code != modifiers.crend(); ++code)
        ok = emitKey(*code, false) && ok;
    return ok;
}

} // namespace tavlen::linux_platform
