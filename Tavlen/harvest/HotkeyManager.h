#pragma once

#include "harvest/HarvestSettings.h"
#include "harvest/MenuItem.h"
#include "harvest/MenuWalk.h"
#include "platform/AXElement.h"
#include "platform/Workspace.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavlen {

class Accessibility;
class Clock;

// Reads one application's menu bar into a tree of MenuItem records. One manager serves one
// harvest: the sheet model creates it, calls harvestMenuBar, prunes the result and drops it.
// Accessibility failures are never reported: whatever cannot be read is left out.
class HotkeyManager {
public:
    // Children requested per element when no browser limit applies.
    static constexpr qint64 limitElementsAll = 9999;

    // The browser test is made here, against the settings' browser list. `recordApp` is the
    // store's saveApp.
    HotkeyManager(QString activeAppName, QString appBundleIdentifier, Accessibility& accessibility,
                  Workspace& workspace, ApplicationRecorder recordApp, HarvestSettings settings,
                  const Clock& clock);
    // For a harvest whose walk runs elsewhere (see MenuSource): only recordApplication and
    // walkLimits are of use; harvestMenuBar and collectMenuItems find nothing.
    HotkeyManager(QString activeAppName, QString appBundleIdentifier, Workspace& workspace,
                  ApplicationRecorder recordApp, HarvestSettings settings, const Clock& clock);

    const QString& activeAppName() const { return m_activeAppName; }
    const QString& appBundleIdentifier() const { return m_appBundleIdentifier; }
    bool isAppBrowser() const { return m_isAppBrowser; }

    // The top-level menus of the first running application with that identifier; empty when it
    // is not running or has no menu bar. Records the application in the store on every call.
    QList<MenuItem> harvestMenuBar(const QString& bundleIdentifier);

    // The records for the children of one element, recursively.
    QList<MenuItem> collectMenuItems(const AXElement& element, qint64 level, const QStringList& parentTitles);

    // The first steps of a harvest, which need the workspace and the store: the first running
    // application with that identifier, recorded in the store; none when it is not running.
    std::optional<RunningApplication> recordApplication(const QString& bundleIdentifier);
    // What the walk may read, from the settings of this moment.
    MenuWalkLimits walkLimits() const;

    // Drops every branch without a keyed element anywhere below it. What survives keeps its
    // whole submenu, unpruned.
    static QList<MenuItem> pruneMenuItems(const QList<MenuItem>& items);

private:
    qint64 childLimit() const;

    QString m_activeAppName;
    QString m_appBundleIdentifier;
    Accessibility* m_accessibility;
    Workspace& m_workspace;
    ApplicationRecorder m_recordApp;
    HarvestSettings m_settings;
    const Clock& m_clock;
    bool m_isAppBrowser = false;
};

} // namespace tavlen
