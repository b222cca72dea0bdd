#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace tavlen::linux_platform {

// A menu entry's key equivalent in the values the harvest reads from a menu element: the
// typed character, the accessibility modifier mask, the macOS virtual key code and the menu
// glyph code. A printable key fills only the character; a named key fills the virtual key and,
// where the notation tables have one that renders the same key, the glyph. A named key the
// notation has no symbol for (Insert, F21, the media keys) also carries the name Qt gives it,
// which is what the sheet shows; such a key may have no virtual key at all.
struct MenuKeyEquivalent {
    QString character; // one upper-cased UTF-16 unit, empty for a named key
    quint64 modifiers = 0;
    quint64 virtualKey = 0;
    quint64 glyph = 0;
    QString name = {};

    friend bool operator==(const MenuKeyEquivalent&, const MenuKeyEquivalent&) = default;
};

// Reads the accelerators that AT-SPI toolkits put into an action's key binding. GTK answers
// "mnemonic;mnemonic path;accelerator" with accelerators such as "<Primary><Shift>o"; Qt answers
// its key sequences ("Ctrl+Shift+Return"), the entry's mnemonic first when it has one
// ("Alt+a;Ctrl+S"), then every shortcut of the entry, the primary one first.
class AcceleratorParser {
public:
    AcceleratorParser() = delete;

    // The key equivalent of a whole key binding, for an entry titled `title`. None when the
    // binding holds no accelerator, only a mnemonic, or a key that has no macOS counterpart.
    static std::optional<MenuKeyEquivalent> parseKeyBinding(const QString& keyBinding, const QString& title);

    // One accelerator in either notation, mnemonic or not.
    static std::optional<MenuKeyEquivalent> parseAccelerator(const QString& accelerator);

    // Whether a key equivalent is the Alt+character that underlines a character of the title:
    // Qt makes any character after "&" a mnemonic, digits and punctuation included.
    static bool isMnemonic(const MenuKeyEquivalent& key, const QString& title);
};

} // namespace tavlen::linux_platform
