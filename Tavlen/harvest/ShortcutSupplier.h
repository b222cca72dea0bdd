#pragma once

#include "harvest/MenuItem.h"

#include <QList>
#include <QString>

namespace tavlen {

// The application a supplier is asked about.
struct SupplierRequest {
    qint64 processIdentifier = 0;
    // Tavlen's id of the application (what stored rows call its bundle identifier); may be empty.
    QString applicationIdentifier;
};

// A source of an application's shortcuts other than its menu bar: a shortcuts window compiled
// into the program, a list shipped for it, its own key-binding settings. What it gives is shaped
// like the menu bar's top-level menus (level 1, each holding its entries at level 2), so that the
// sheet groups, hides and bookmarks those entries as it does menu entries. Its entries have no
// element to press: they carry `hotkeys` and the sheet types the keys instead (a range such as
// "⌥ 1…9" carries `keys` alone and is only shown).
class ShortcutSupplier {
public:
    virtual ~ShortcutSupplier() = default;

    // What the user is told this source is ("shortcuts window", "shortcut list").
    virtual QString sourceName() const = 0;

    // The groups for that application, given what its menu bar gave (empty when it has none) so
    // that a supplier can leave out what the menus show already. Called on the reading thread,
    // one call at a time; may read files, never waits on another process without a deadline.
    virtual QList<MenuItem> groups(const SupplierRequest& request, const QList<MenuItem>& menus) = 0;
};

using ShortcutSuppliers = QList<ShortcutSupplier*>;

} // namespace tavlen
