#include "platform/linux/ShownKeys.h"

#include "harvest/KeyedEntry.h"
#include "platform/linux/AcceleratorParser.h"

namespace tavlen::linux_platform {

ShownKeys::ShownKeys(const QList<MenuItem>& menus)
{
    collect(menus);
}

void ShownKeys::collect(const QList<MenuItem>& items)
{
    for (const MenuItem& item : items) {
        if (item.hotkeys && item.keys && !item.keys->isEmpty())
            m_keys.insert(*item.keys);
        collect(item.submenu);
    }
}

bool ShownKeys::contains(const QString& accelerator) const
{
    const std::optional<MenuKeyEquivalent> key = AcceleratorParser::parseAccelerator(accelerator);
    if (!key)
        return false;
    // The same text is the same keys: both sides come from keyEquivalentText.
    return m_keys.contains(keyEquivalentText(
        {characterCode(key->character), key->modifiers, key->virtualKey, key->glyph, key->name}));
}

} // namespace tavlen::linux_platform
