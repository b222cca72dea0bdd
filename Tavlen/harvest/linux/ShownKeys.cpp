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
    const std::optional<linux_platform::MenuKeyEquivalent> key =
        linux_platform::AcceleratorParser::parseAccelerator(accelerator);
    // The same text is the same keys: both sides come from keyEquivalentText.
    return key && containsText(keyEquivalentText(keyEquivalentOf(*key)));
}

bool ShownKeys::containsText(const QString& keys) const
{
    return m_keys.contains(keys);
}

} // namespace tavlen::linux_harvest
