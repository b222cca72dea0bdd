#pragma once

#include "harvest/MenuItem.h"
#include "sheet/SheetLayout.h"

#include <optional>

namespace tavlen::test {

// A sheet entry as the harvest leaves it: its title, its keys, and whether it can be chosen.
inline MenuItem element(const QString& title, const std::optional<QString>& keys, bool active = true)
{
    MenuItem item;
    item.title = title;
    item.keys = keys;
    item.isActive = active;
    return item;
}

// A menu's heading over its entries.
inline MenuItem group(const QString& title, const QList<MenuItem>& rows)
{
    MenuItem item;
    item.title = title;
    item.submenu = rows;
    return item;
}

// The loaded sheet of an editor, before its entries and columns are set.
inline SheetContent editorSheet()
{
    SheetContent content;
    content.loaded = true;
    content.appTitle = QStringLiteral("Editor");
    content.bundleIdentifier = QStringLiteral("org.example.Editor");
    return content;
}

} // namespace tavlen::test
