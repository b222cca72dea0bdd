#pragma once

#include "harvest/MenuItem.h"
#include "harvest/MenuItemIds.h"

#include <QString>

namespace tavlen::linux_harvest {

// One group of shortcuts that a source other than the menu bar gives, built entry by entry from
// accelerators in GTK ("<Primary><Shift>o") or Qt ("Ctrl+Shift+O") notation, shaped as the harvest
// shapes a top-level menu (see ShortcutSupplier).
class SuppliedGroup {
public:
    explicit SuppliedGroup(const QString& title);

    // Adds an entry; false, and nothing added, when the accelerator names no key Tavlen knows.
    bool add(const QString& title, const QString& accelerator);
    // Adds an entry shown as it stands and never typed (a range such as "⌥ 1…9").
    void addShown(const QString& title, const QString& keysText);

    bool isEmpty() const { return m_group.submenu.isEmpty(); }
    const MenuItem& group() const { return m_group; }

private:
    MenuItem m_group;
    MenuItemIds m_ids;
};

} // namespace tavlen::linux_harvest
