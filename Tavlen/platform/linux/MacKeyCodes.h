#pragma once

#include <QList>
#include <QtGlobal>
#include <optional>
#include <span>

namespace tavlen::linux_platform {

// Tavlen keeps the macOS virtual key numbering as its code space (stored shortcuts and export
// files stay interchangeable with files made on a Mac). This is the one place where that
// numbering meets the Linux input layer: evdev keycodes, and X11 keycodes, which are evdev + 8.
// The table covers ANSI, ISO and the JIS extras; the Function key has no Linux counterpart.
class MacKeyCodes {
public:
    struct Entry {
        quint16 mac;
        quint16 evdev;
    };

    MacKeyCodes() = delete;

    static std::optional<quint16> evdevFromMac(quint16 macKeyCode);
    static std::optional<quint16> macFromEvdev(quint32 evdevKeyCode);
    static std::optional<quint32> x11FromMac(quint16 macKeyCode);
    static std::optional<quint16> macFromX11(quint32 x11KeyCode);

    // The evdev codes of the left-hand modifier keys that an event-flag mask holds (Command,
    // Control, Option, Shift), in the order they go down when a key is sent with them.
    static QList<quint16> evdevModifiersOf(qint64 eventFlags);

    // Every pair, ordered by macOS code; each code occurs once on either side.
    static std::span<const Entry> entries();

    static constexpr quint32 X11Offset = 8;
};

} // namespace tavlen::linux_platform
