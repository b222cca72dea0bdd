#pragma once

#include "harvest/Hotkey.h"
#include "platform/AXElement.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <optional>

namespace tavlen {

// One harvested menu element. Top-level menus and submenu holders carry their children in
// `submenu` and have neither `keys` nor `hotkeys`; a keyed element has both; an element kept only
// because every menu entry is shown has `keys` set to the empty text and no `hotkeys`.
struct MenuItem {
    // Fresh for every record of every harvest (the harvest hands them out, see MenuItemIds):
    // ids are not stable between harvests.
    QUuid id;
    QString title;
    std::optional<QString> keys;
    std::optional<Hotkey> hotkeys;
    QList<MenuItem> submenu;
    // Titles of the menus above the element, outermost first, without its own title.
    QStringList parentTitles;
    // 1 for a top-level menu of the menu bar.
    qint64 level = 0;
    bool isActive = true;
    // Kept so that the element can be pressed later, through the adapter that harvested it.
    AXElement axuieElement;
};

// The elements with a shortcut among these and below them.
inline qint64 shortcutCount(const QList<MenuItem>& items)
{
    qint64 count = 0;
    for (const MenuItem& item : items) {
        if (item.keys && !item.keys->isEmpty())
            ++count;
        count += shortcutCount(item.submenu);
    }
    return count;
}

} // namespace tavlen
