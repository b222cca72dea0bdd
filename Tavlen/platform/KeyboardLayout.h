#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace tavlen {

// The user's keyboard layout. Key codes are the macOS virtual key numbering, which Tavlen keeps
// as its canonical code space (export files stay interchangeable with files made on a Mac);
// implementations translate to their own keycodes at the edge.
class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;

    // The character the key produces with no modifier held, in the current layout
    // (`currentLayout`) or in the first Latin ("ASCII-capable") layout; none for keys that
    // produce no character (modifiers, dead keys, unknown codes). Not case-converted.
    virtual std::optional<char32_t> character(quint16 virtualKeyCode, bool currentLayout) const = 0;

    // Identifier of the current input source, e.g. "us", "de".
    virtual QString inputSourceId() const = 0;
    // Its human-readable name, e.g. "English (US)", "German".
    virtual QString inputSourceName() const = 0;
    // The code of the key the toolkit reports by that native scan code (under X11 and Wayland the
    // XKB keycode); none for keys without a counterpart.
    virtual std::optional<quint16> virtualKeyOfScanCode(quint32 scanCode) const = 0;
};

} // namespace tavlen
