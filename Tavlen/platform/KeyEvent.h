#pragma once

#include <QMetaType>
#include <QtGlobal>
#include <optional>

namespace tavlen {

// One keyboard event as the activation gestures see it, whatever source it came from.
//
// `modifierFlags` uses the event-flag numbering (EventFlag in platform/KeyInput.h: Shift 0x20000,
// Control 0x40000, Option 0x80000, Command 0x100000, Function 0x800000) and holds the modifiers
// that are down once the event has happened: a modifier press carries its own flag, its release
// no longer does. Other bits may be set and are ignored. `keyCode` is a macOS virtual key code,
// none when the key has no counterpart in that numbering.
struct KeyEvent {
    enum class Type {
        KeyDown,
        KeyUp,
        // A modifier key went down or up; `keyCode` names that key.
        FlagsChanged,
    };

    Type type = Type::FlagsChanged;
    qint64 modifierFlags = 0;
    std::optional<quint16> keyCode;

    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

} // namespace tavlen

Q_DECLARE_METATYPE(tavlen::KeyEvent)
