#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tavlen::linux_harvest {

// One command of a shortcut list and the keys that trigger it: accelerators in GTK
// ("<Primary><Shift>t") or Qt ("Ctrl+Shift+T") notation, or a range of keys ("<Alt>1...8").
struct ListedShortcut {
    QString title;
    QStringList accelerators;
};

struct ListedGroup {
    QString title;
    QList<ListedShortcut> shortcuts;
};

// A shortcut list as its file holds it (docs/shortcut-lists.md): the shortcuts of one application
// that no interface of the application gives, in titled groups.
struct ShortcutList {
    // The format's version this Tavlen reads; a file of a later one is refused whole, since what
    // its members mean may have changed.
    static constexpr int FORMAT_VERSION = 1;

    int version = FORMAT_VERSION;
    QString application;
    // Where the shortcuts were taken from, for whoever checks or updates the list.
    QString source;
    QList<ListedGroup> groups;
};

} // namespace tavlen::linux_harvest
