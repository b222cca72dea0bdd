#include "harvest/HotkeyManager.h"

#include "platform/Clock.h"
#include "platform/Workspace.h"

#include <algorithm>

namespace tavlen {

namespace {

// Whether pruning keeps the item: a branch with a keyed element (or an entry kept for showing
// every menu entry) somewhere below it, or such an element itself.
bool survivesPruning(const MenuItem& item)
{
    if (item.submenu.isEmpty())
        return item.keys.has_value();
    return std::any_of(item.submenu.cbegin(), item.submenu.cend(), survivesPruning);
}

} // namespace

HotkeyManager::HotkeyManager(QString activeAppName, QString appBundleIdentifier, Accessibility& accessibility,
                             Workspace& workspace, ApplicationRecorder recordApp, HarvestSettings settings,
                             const Clock& clock)
    : HotkeyManager(std::move(activeAppName), std::move(appBundleIdentifier), workspace, std::move(recordApp),
                    std::move(settings), clock)
{
    m_accessibility = &accessibility;
}

HotkeyManager::HotkeyManager(QString activeAppName, QString appBundleIdentifier, Workspace& workspace,
                             ApplicationRecorder recordApp, HarvestSettings settings, const Clock& clock)
    : m_activeAppName(std::move(activeAppName))
    , m_appBundleIdentifier(std::move(appBundleIdentifier))
    , m_accessibility(nullptr)
    , m_workspace(workspace)
    , m_recordApp(std::move(recordApp))
    , m_settings(std::move(settings))
    , m_clock(clock)
    , m_isAppBrowser(m_settings.browsers.contains(m_appBundleIdentifier, Qt::CaseSensitive))
{}

std::optional<RunningApplication> HotkeyManager::recordApplication(const QString& bundleIdentifier)
{
    const QList<RunningApplication> running = m_workspace.runningApplications(bundleIdentifier);
    if (running.isEmpty())
        return std::nullopt;
    const RunningApplication& app = running.front();

    QString name = app.localizedName;
    if (name.isEmpty())
        name = QStringLiteral("-app-") + bundleIdentifier + QLatin1Char('-') +
               QString::number(m_clock.secondsSinceEpoch()) + QLatin1Char('-');
    // The store reports its own failures to nobody; the harvest goes on either way.
    if (m_recordApp)
        m_recordApp(bundleIdentifier, name);
    return app;
}

MenuWalkLimits HotkeyManager::walkLimits() const
{
    return MenuWalkLimits{childLimit(), m_settings.showAllMenus};
}

QList<MenuItem> HotkeyManager::harvestMenuBar(const QString& bundleIdentifier)
{
    const std::optional<RunningApplication> app = recordApplication(bundleIdentifier);
    if (!app || !m_accessibility)
        return {};
    return MenuWalk(*m_accessibility, walkLimits()).menuBar(app->processIdentifier);
}

QList<MenuItem> HotkeyManager::collectMenuItems(const AXElement& element, qint64 level,
                                                const QStringList& parentTitles)
{
    if (!m_accessibility)
        return {};
    return MenuWalk(*m_accessibility, walkLimits()).collectMenuItems(element, level, parentTitles);
}

qint64 HotkeyManager::childLimit() const
{
    if (m_settings.applyLimitToBrowsers && m_isAppBrowser)
        return std::max(0, m_settings.limitElements);
    return limitElementsAll;
}

QList<MenuItem> HotkeyManager::pruneMenuItems(const QList<MenuItem>& items)
{
    QList<MenuItem> kept;
    for (const MenuItem& item : items) {
        if (survivesPruning(item))
            kept.append(item);
    }
    return kept;
}

} // namespace tavlen
