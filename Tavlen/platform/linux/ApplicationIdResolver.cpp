#include "platform/linux/ApplicationIdResolver.h"

namespace tavlen::linux_platform {
namespace {

const DesktopEntry* findEntry(const QList<DesktopEntry>& applications, auto matches)
{
    for (const DesktopEntry& entry : applications) {
        if (matches(entry))
            return &entry;
    }
    return nullptr;
}

bool sameName(const QString& a, const QString& b)
{
    return !a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// A desktop entry id may carry a reverse-DNS prefix ("org.geany.Geany"); its last part is
// what window classes are usually named after.
QString lastIdPart(const QString& id)
{
    return id.section(QLatin1Char('.'), -1);
}

} // namespace

std::optional<ResolvedApplication> ApplicationIdResolver::resolve(const WindowIdentity& window,
                                                                  const QList<DesktopEntry>& applications)
{
    const DesktopEntry* entry = nullptr;
    if (!window.gtkApplicationId.isEmpty())
        entry =
            findEntry(applications, [&](const DesktopEntry& e) { return e.id == window.gtkApplicationId; });
    if (!entry && !window.desktopEntryId.isEmpty())
        entry = findEntry(applications, [&](const DesktopEntry& e) { return e.id == window.desktopEntryId; });
    if (!entry) {
        entry = findEntry(applications, [&](const DesktopEntry& e) {
            return !e.startupWMClass.isEmpty() &&
                   (e.startupWMClass == window.wmClass || e.startupWMClass == window.wmInstance);
        });
    }
    if (!entry) {
        entry = findEntry(applications, [&](const DesktopEntry& e) {
            return sameName(window.wmClass, e.id) || sameName(window.wmInstance, e.id) ||
                   sameName(window.wmClass, lastIdPart(e.id));
        });
    }
    if (!entry && !window.executable.isEmpty()) {
        entry = findEntry(applications,
                          [&](const DesktopEntry& e) { return e.executableName() == window.executable; });
    }
    if (entry)
        return ResolvedApplication{entry->id, entry->name};
    if (!window.wmClass.isEmpty())
        return ResolvedApplication{window.wmClass, window.wmClass};
    if (!window.executable.isEmpty())
        return ResolvedApplication{window.executable, QString()};
    return std::nullopt;
}

} // namespace tavlen::linux_platform
