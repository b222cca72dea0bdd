#include "harvest/linux/ShownKeys.h"

#include "harvest/linux/AcceleratorText.h"

namespace tavlen::linux_harvest {

ShownKeys::ShownKeys(const QList<MenuItem>& menus)
{
    collect(menus);
}

void ShownKeys::collect(const QList<MenuItem>& items)
{
    for (const MenuItem& item : items) {
        if (item.keys && !item.keys->isEmpty())
            m_keys.insert(*item.keys);
        collect(item.submenu);
    }
}

bool ShownKeys::contains(const QString& accelerator) const
{
    // The same text is the same keys: both sides come from keyEquivalentText.
    const std::optional<QString> keys = acceleratorText(accelerator);
    return keys && containsText(*keys);
}

bool ShownKeys::containsText(const QString& keys) const
{
    return m_keys.contains(keys);
}

} // namespace tavlen::linux_harvest
