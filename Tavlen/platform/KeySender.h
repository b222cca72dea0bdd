#pragma once

#include <QtGlobal>

namespace tavlen {

// Types one key combination into whatever window has the keyboard focus, as if the user had
// pressed it: the modifier keys go down, the key goes down and up, the modifiers go up.
class KeySender {
public:
    virtual ~KeySender() = default;

    // `macVirtualKey` is a macOS virtual key code (Tavlen's canonical code space); `eventFlags`
    // the event-flag mask of the modifiers (EventFlag in platform/KeyInput.h). Modifiers the
    // platform has no key for (Function on Linux) are left out. False, and nothing typed, when
    // the key has no counterpart on this platform or no event could be posted.
    virtual bool post(quint16 macVirtualKey, qint64 eventFlags) = 0;
};

} // namespace tavlen
