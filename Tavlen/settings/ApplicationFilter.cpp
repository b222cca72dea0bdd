#include "settings/ApplicationFilter.h"

#include "store/AppIcon.h"
#include "store/DatabaseManager.h"
#include "store/GlobalApp.h"

namespace tavlen {

AppItem ApplicationFilter::defaultElement(const ApplicationDirectory& applications)
{
    const QString identifier = QString::fromLatin1(global_app::IDENTIFIER);
    return AppItem{QUuid::createUuid(), identifier, QString::fromLatin1(global_app::TITLE),
                   appIcon(identifier, applications)};
}

QList<AppItem> ApplicationFilter::entries(DatabaseManager& store, const ApplicationDirectory& applications)
{
    QList<AppItem> items{defaultElement(applications)};
    for (const auto& [identifier, title] : store.getApps())
        items.append(AppItem{QUuid::createUuid(), identifier, title, appIcon(identifier, applications)});
    return items;
}

QList<AppItem> ApplicationFilter::matching(const QList<AppItem>& entries, const QString& filterText)
{
    if (filterText.isEmpty())
        return entries;
    const QString needle = filterText.toLower();
    QList<AppItem> found;
    for (const AppItem& item : entries) {
        if (item.title.toLower().contains(needle))
            found.append(item);
    }
    return found;
}

} // namespace tavlen
