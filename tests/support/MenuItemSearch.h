#pragma once

#include "harvest/MenuItem.h"

#include <QList>
#include <QStringList>

namespace tavlen::test {

inline QStringList titlesOf(const QList<MenuItem>& items)
{
    QStringList titles;
    for (const MenuItem& item : items)
        titles.append(item.title);
    return titles;
}

// The record at a path of titles (menu, submenu…, entry), or null.
inline const MenuItem* find(const QList<MenuItem>& items, const QStringList& path)
{
    const QList<MenuItem>* level = &items;
    const MenuItem* found = nullptr;
    for (const QString& title : path) {
        found = nullptr;
        for (const MenuItem& item : *level) {
            if (item.title == title) {
                found = &item;
                break;
            }
        }
        if (!found)
            return nullptr;
        level = &found->submenu;
    }
    return found;
}

} // namespace tavlen::test
