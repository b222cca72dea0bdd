#include "sheet/StoredFlagIndex.h"

#include "store/ElementKey.h"

namespace tavlen {

StoredFlagIndex::StoredFlagIndex(const QList<HotkeyState>& states)
{
    m_flags.reserve(states.size());
    for (const HotkeyState& state : states) {
        if (!m_flags.contains(state.value))
            m_flags.insert(state.value, ElementFlags{state.isBookmarked, state.isHidden});
    }
}

ElementFlags StoredFlagIndex::find(const QString& title, const QString& keys) const
{
    // Nothing stored: no digest to compute, which is the common case for a new application.
    if (m_flags.isEmpty())
        return {};
    return findKey(elementKey(title, keys));
}

ElementFlags StoredFlagIndex::findKey(const QString& key) const
{
    return m_flags.value(key);
}

} // namespace tavlen
