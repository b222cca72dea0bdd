#include "platform/linux/RawKeyTranslator.h"

#include "platform/KeyInput.h"
#include "platform/MacKeys.h"

#include <array>

namespace tavlen::linux_platform {

namespace {

struct ModifierKey {
    quint16 macKey;
    qint64 flag;
};

// Left and right keys of each modifier, as macOS virtual key codes. Caps Lock is left out: it
// is no modifier to the gestures.
constexpr std::array<ModifierKey, 8> modifierKeys{{
    {mac_keys::Command, EventFlag::Command},
    {mac_keys::RightCommand, EventFlag::Command},
    {mac_keys::Shift, EventFlag::Shift},
    {mac_keys::RightShift, EventFlag::Shift},
    {mac_keys::Option, EventFlag::Option},
    {mac_keys::RightOption, EventFlag::Option},
    {mac_keys::Control, EventFlag::Control},
    {mac_keys::RightControl, EventFlag::Control},
}};

std::optional<qint64> modifierFlag(quint16 macKey)
{
    for (const ModifierKey& key : modifierKeys) {
        if (key.macKey == macKey)
            return key.flag;
    }
    return std::nullopt;
}

} // namespace

std::optional<KeyEvent> RawKeyTranslator::translate(std::optional<quint16> macKey, bool pressed)
{
    const std::optional<qint64> flag = macKey ? modifierFlag(*macKey) : std::nullopt;
    if (!flag)
        return KeyEvent{pressed ? KeyEvent::Type::KeyDown : KeyEvent::Type::KeyUp, modifierFlags(), macKey};
    // A held modifier repeats its press; only a change of the flags is an event.
    const bool wasDown = m_modifiersDown.contains(*macKey);
    if (pressed == wasDown)
        return std::nullopt;
    if (pressed)
        m_modifiersDown.insert(*macKey);
    else
        m_modifiersDown.remove(*macKey);
    return KeyEvent{KeyEvent::Type::FlagsChanged, modifierFlags(), macKey};
}

qint64 RawKeyTranslator::modifierFlags() const
{
    qint64 flags = 0;
    for (const quint16 macKey : m_modifiersDown)
        flags |= modifierFlag(macKey).value_or(0);
    return flags;
}

} // namespace tavlen::linux_platform
