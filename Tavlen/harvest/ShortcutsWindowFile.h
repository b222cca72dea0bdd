#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace tavlen {

// A text of a GtkBuilder file, with what gettext needs to translate it.
struct BuilderText {
    QString text;
    // The message context ("shortcut window"); empty when there is none.
    QString context;
    bool translatable = false;
};

// One GtkShortcutsShortcut that names keys.
struct ShortcutsWindowEntry {
    BuilderText title;
    // GTK's accelerator text as written: alternatives separated by spaces, ranges ("<Alt>1...9"),
    // key sequences ("<ctrl>c+<ctrl>x") and keys pressed together ("Control_L&Control_R").
    QString accelerator;
};

struct ShortcutsWindowGroup {
    BuilderText title;
    QList<ShortcutsWindowEntry> entries;
};

// The shortcuts window (GtkShortcutsWindow) of a GtkBuilder file, the way GTK 3 and 4 programs
// describe the window their "Keyboard Shortcuts" item opens: sections of groups of shortcuts.
struct ShortcutsWindowFile {
    // The gettext domain of the file's `<interface domain="...">`; empty when it names none and
    // the program's own domain applies.
    QString domain;
    QList<ShortcutsWindowGroup> groups;

    // Cheap test of a file's bytes before it is parsed: false when it cannot hold one.
    static bool mayHoldWindow(const QByteArray& builderFile);

    // The groups of the file's top-level GtkShortcutsWindow; none when it has no such object or
    // is no well-formed GtkBuilder file. Shortcuts that name no keys are left out: those that
    // only name an action (the program binds its keys at run time, out of sight) and gestures
    // (shortcut-type other than "accelerator"), which cannot be typed.
    static std::optional<ShortcutsWindowFile> parse(const QByteArray& builderFile);
};

} // namespace tavlen
