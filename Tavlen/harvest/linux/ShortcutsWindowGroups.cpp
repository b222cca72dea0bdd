#include "harvest/linux/ShortcutsWindowGroups.h"

#include "harvest/linux/AcceleratorText.h"
#include "harvest/linux/ShownKeys.h"
#include "harvest/linux/SuppliedGroup.h"

#include <QRegularExpression>
#include <QSet>
#include <map>
#include <vector>

namespace tavlen::linux_harvest {

QList<MenuItem> shortcutsWindowGroups(const QList<ShortcutsWindowFile>& windows,
                                      const BuilderTranslator& translate, const QList<MenuItem>& menus)
{
    const ShownKeys inMenus(menus);
    // One key may do one thing in two places of a window (Find in "Documents" and in
    // "Editing"): both are kept, as the window shows them, but the same entry twice (a window
    // in two files) is not.
    QSet<QString> added;
    const auto isNew = [&](const QString& title, const QString& keys) {
        if (inMenus.containsText(keys))
            return false;
        const QString entry = title + QLatin1Char('\n') + keys;
        if (added.contains(entry))
            return false;
        added.insert(entry);
        return true;
    };
    static const QRegularExpression spaces(QStringLiteral("\\s+"));

    // Groups in the order their titles first appear.
    std::vector<SuppliedGroup> groups;
    std::map<QString, size_t> groupAt;
    for (const ShortcutsWindowFile& window : windows) {
        for (const ShortcutsWindowGroup& windowGroup : window.groups) {
            const QString title = translate(window.domain, windowGroup.title).trimmed();
            auto [at, isNewGroup] = groupAt.try_emplace(title, groups.size());
            if (isNewGroup)
                groups.emplace_back(title);
            SuppliedGroup& group = groups[at->second];
            for (const ShortcutsWindowEntry& entry : windowGroup.entries) {
                const QString entryTitle = translate(window.domain, entry.title);
                for (const QString& accelerator : entry.accelerator.split(spaces, Qt::SkipEmptyParts)) {
                    if (const std::optional<QString> compound = compoundAcceleratorText(accelerator)) {
                        if (isNew(entryTitle, *compound))
                            group.addShown(entryTitle, *compound);
                        continue;
                    }
                    if (const std::optional<QString> keys = acceleratorText(accelerator)) {
                        if (isNew(entryTitle, *keys))
                            group.add(entryTitle, accelerator);
                    } else if (const std::optional<QString> written = writtenAcceleratorText(accelerator)) {
                        if (isNew(entryTitle, *written))
                            group.addShown(entryTitle, *written);
                    }
                }
            }
        }
    }

    QList<MenuItem> items;
    for (const SuppliedGroup& group : groups) {
        if (!group.isEmpty())
            items.append(group.group());
    }
    return items;
}

} // namespace tavlen::linux_harvest
