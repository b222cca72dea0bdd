#pragma once

#include "harvest/MenuItem.h"

#include <QList>
#include <QSet>
#include <QString>

namespace tavlen::linux_harvest {

// The keys the menus show, in the sheet's notation, so that a source of further shortcuts can
// leave out those whose keys are there already: the menu entry says the same and can be pressed.
class ShownKeys {
public:
    explicit ShownKeys(const QList<MenuItem>& menus);

    // Whether an accelerator in GTK or Qt notation names keys that a menu entry shows.
    bool contains(const QString& accelerator) const;
    // Whether a menu entry shows these keys, in the sheet's notation ("⌃⇧ O").
    bool containsText(const QString& keys) const;

private:
    void collect(const QList<MenuItem>& items);

    QSet<QString> m_keys;
};

} // namespace tavlen::linux_harvest
