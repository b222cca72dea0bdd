#pragma once

#include "store/HotkeyState.h"

#include <QHash>
#include <QList>
#include <QString>

namespace tavlen {

// The stored flags of one harvested element as the sheet uses them.
struct ElementFlags {
    bool bookmarked = false;
    bool hidden = false;

    friend bool operator==(const ElementFlags&, const ElementFlags&) = default;
};

// The stored flag rows of one application, looked up by element. Where two rows carry the same
// element key, the first in the store's order wins, exactly as a scan from the front would; the
// index only spares the sheet a scan per element on menus with thousands of entries.
class StoredFlagIndex {
public:
    StoredFlagIndex() = default;
    explicit StoredFlagIndex(const QList<HotkeyState>& states);

    bool isEmpty() const { return m_flags.isEmpty(); }

    // (false, false) for an element without a stored row.
    ElementFlags find(const QString& title, const QString& keys) const;
    ElementFlags findKey(const QString& key) const;

private:
    QHash<QString, ElementFlags> m_flags;
};

} // namespace tavlen
