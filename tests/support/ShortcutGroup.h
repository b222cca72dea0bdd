#pragma once

#include "harvest/MenuItem.h"

#include <QStringList>

namespace tavlen::test {

// A group as a shortcut source hands it out: titled, at the menus' level, with one untitled
// entry for each of `keys` (an empty one is an entry without a shortcut).
inline MenuItem shortcutGroup(const QString& title, const QStringList& keys)
{
    MenuItem group;
    group.title = title;
    group.level = 1;
    for (const QString& key : keys) {
        MenuItem entry;
        entry.keys = key;
        entry.level = 2;
        group.submenu << entry;
    }
    return group;
}

} // namespace tavlen::test
