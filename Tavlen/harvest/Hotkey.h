#pragma once

#include <QtGlobal>

namespace tavlen {

// The raw key equivalent of one harvested menu element.
struct Hotkey {
    quint16 actionKey = 0;      // character code of the key equivalent, 0 when none
    quint64 modifierKeys = 0;   // accessibility modifier mask ("AXMenuItemCmdModifiers")
    quint64 virtualKey = 0;     // virtual key code, 0 when none
    quint16 keyCode = 0;        // the character code again
    quint16 keyVitrualCode = 0; // the virtual key code as 16 bits (the name is spelled so)
    quint64 keyModifiers = 0;   // the same number as modifierKeys: accessibility bits, not event flags

    friend bool operator==(const Hotkey&, const Hotkey&) = default;
};

} // namespace tavlen
