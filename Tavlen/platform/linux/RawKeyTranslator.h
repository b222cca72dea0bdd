#pragma once

#include "platform/KeyEvent.h"

#include <QSet>
#include <optional>

namespace tavlen::linux_platform {

// Turns the bare key presses and releases of an input layer that knows no modifier state
// (XInput 2 raw events, evdev) into the events the gestures read: the modifier flags are worked
// out from the modifier keys seen going down and up (Super is Command, Alt is Option). A
// modifier already held when listening starts is unknown until it is pressed again.
class RawKeyTranslator {
public:
    // `macKey` is the key's macOS virtual key code, none when it has no counterpart. None when
    // the key changes nothing: a held modifier repeating its press.
    std::optional<KeyEvent> translate(std::optional<quint16> macKey, bool pressed);
    void reset() { m_modifiersDown.clear(); }

private:
    qint64 modifierFlags() const;

    // macOS codes of the modifier keys that are down.
    QSet<quint16> m_modifiersDown;
};

} // namespace tavlen::linux_platform
