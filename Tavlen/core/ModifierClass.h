#pragma once

#include <QtGlobal>

namespace tavlen {

// What a change of the modifier keys means to the activation gestures. Only Shift, Control,
// Option, Command and Function count; Caps Lock and every other bit are ignored.
enum class ModifierClass {
    CommandAlone,
    ControlAlone,
    // No modifier that counts is down any more.
    Released,
    // Any other combination, and Function alone.
    Other,
};

// `modifierFlags` in the event-flag numbering (EventFlag in platform/KeyInput.h).
ModifierClass classifyModifiers(qint64 modifierFlags);

} // namespace tavlen
