#pragma once

#include <QtGlobal>
#include <optional>

namespace tavlen {

// One recorded key combination of a custom shortcut. The key code is a macOS virtual key code
// (Tavlen's canonical code space, see platform/KeyboardLayout.h).
struct KeyInput {
    std::optional<quint16> keyCode;
    bool isCommand = false;
    bool isControl = false;
    bool isOption = false;
    bool isShift = false;
    bool isFunction = false;

    friend bool operator==(const KeyInput&, const KeyInput&) = default;
};

// Event-flag masks: stored as "raw_modifier", used for posted key events and in export files.
namespace EventFlag {
inline constexpr qint64 Shift = 0x20000;
inline constexpr qint64 Control = 0x40000;
inline constexpr qint64 Option = 0x80000;
inline constexpr qint64 Command = 0x100000;
inline constexpr qint64 Function = 0x800000;
} // namespace EventFlag

// The modifiers an event-flag mask holds, with no key.
inline KeyInput modifiersOfEventFlags(qint64 flags)
{
    KeyInput input;
    input.isCommand = flags & EventFlag::Command;
    input.isControl = flags & EventFlag::Control;
    input.isOption = flags & EventFlag::Option;
    input.isShift = flags & EventFlag::Shift;
    input.isFunction = flags & EventFlag::Function;
    return input;
}

} // namespace tavlen
