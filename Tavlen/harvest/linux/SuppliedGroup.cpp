#include "harvest/linux/SuppliedGroup.h"

#include "harvest/linux/AcceleratorText.h"

namespace tavlen::linux_harvest {

SuppliedGroup::SuppliedGroup(const QString& title)
{
    m_group.id = m_ids.next();
    m_group.title = title.trimmed();
    m_group.level = 1;
}

bool SuppliedGroup::add(const QString& title, const QString& accelerator)
{
    const std::optional<linux_platform::MenuKeyEquivalent> parsed =
        linux_platform::AcceleratorParser::parseAccelerator(accelerator.trimmed());
    if (!parsed)
        return false;
    std::optional<MenuItem> entry =
        keyedEntry(m_ids.next(), title.trimmed(), keyEquivalentOf(*parsed), 2, {m_group.title});
    if (!entry)
        return false;
    m_group.submenu.append(std::move(*entry));
    return true;
}

void SuppliedGroup::addShown(const QString& title, const QString& keysText)
{
    MenuItem entry;
    entry.id = m_ids.next();
    entry.title = title.trimmed();
    entry.keys = keysText;
    entry.parentTitles = {m_group.title};
    entry.level = 2;
    m_group.submenu.append(std::move(entry));
}

} // namespace tavlen::linux_harvest
