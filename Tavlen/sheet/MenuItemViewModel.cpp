#include "sheet/MenuItemViewModel.h"

#include "harvest/MenuItemIds.h"

#include "harvest/HotkeyManager.h"
#include "platform/ApplicationDirectory.h"
#include "platform/Workspace.h"
#include "settings/AppSettings.h"
#include "store/AppIcon.h"
#include "store/DatabaseManager.h"
#include "store/ElementKey.h"
#include "store/GlobalApp.h"

#include <QHash>

#include <algorithm>

namespace tavlen {

namespace {

const QString GLOBAL_IDENTIFIER = QLatin1String(global_app::IDENTIFIER);

// A copy of an entry as the grouping hands it out: its own identity, no children.
MenuItem bareCopy(const MenuItem& item, MenuItemIds& ids)
{
    MenuItem copy(item);
    copy.id = ids.next();
    copy.submenu.clear();
    return copy;
}

} // namespace

MenuItemViewModel::MenuItemViewModel(Workspace& workspace, MenuSource& menus,
                                     DatabaseManager& databaseManager, AppSettings& appSettings,
                                     const ApplicationDirectory& applications, const Clock& clock,
                                     qint64 forceAmountOfColumns, QObject* parent)
    : QObject(parent)
    , m_workspace(workspace)
    , m_menus(menus)
    , m_databaseManager(databaseManager)
    , m_appSettings(appSettings)
    , m_applications(applications)
    , m_clock(clock)
    , m_forceAmountOfColumns(forceAmountOfColumns)
{
    // A later read of the application shown: the sheet follows it.
    connect(&m_menus, &MenuSource::menusChanged, this,
            [this](qint64 processIdentifier, const MenuSnapshot& snapshot) {
                if (m_loaded && !m_loading && processIdentifier == m_processIdentifier)
                    applyMenus(snapshot);
            });
}

void MenuItemViewModel::loadSheet(qint64 forceAmountOfColumns)
{
    if (m_loading)
        return;
    if (m_loaded) {
        Q_EMIT loadedChanged();
        return;
    }
    m_loading = true;

    readFrontmostApplication();

    setStoredHotkeys(m_databaseManager.getHotkeyStates(m_bundleIdentifier),
                     m_databaseManager.getHotkeyStates(GLOBAL_IDENTIFIER));

    m_columns = sheetColumnCount(forceAmountOfColumns, m_appSettings.amountOfColumns());
    Q_EMIT columnsChanged();

    requestMenus([this](const MenuSnapshot& snapshot) { applyMenus(snapshot); });
}

void MenuItemViewModel::requestMenus(std::function<void(const MenuSnapshot&)> done)
{
    HotkeyManager manager(m_appTitle, m_bundleIdentifier, m_workspace,
                          m_databaseManager.applicationRecorder(), m_appSettings.harvestSettings(), m_clock);
    const std::optional<RunningApplication> app = manager.recordApplication(m_bundleIdentifier);
    if (!app) {
        done(MenuSnapshot{});
        return;
    }
    m_processIdentifier = app->processIdentifier;
    m_menus.menus(*app, manager.walkLimits(), this, std::move(done));
}

void MenuItemViewModel::applyMenus(const MenuSnapshot& snapshot)
{
    m_menuStatus = snapshot.status;
    m_absence = snapshot.absence;
    m_groupedMenuItems =
        groupMenuItems(flattenMenuItems(HotkeyManager::pruneMenuItems(snapshot.items), true));
    Q_EMIT groupedMenuItemsChanged();

    m_customGlobalItems = fetchCustomItems(GLOBAL_IDENTIFIER);
    Q_EMIT customGlobalItemsChanged();
    m_customAppItems = fetchCustomItems(m_bundleIdentifier);
    Q_EMIT customAppItemsChanged();
    m_customItems = m_customGlobalItems.size() + m_customAppItems.size();
    Q_EMIT customItemsChanged();

    m_columnsAmount = menuColumnCount(m_columns, m_customItems);
    Q_EMIT columnsAmountChanged();

    m_columnHeight = entriesPerColumn(m_columns, m_columnsAmount, m_groupedMenuItems.size());
    Q_EMIT columnHeightChanged();

    m_loading = false;
    m_loaded = true;
    Q_EMIT loadedChanged();
}

QString MenuItemViewModel::notice() const
{
    return troubleText(m_menuStatus, m_appTitle.isEmpty() ? m_bundleIdentifier : m_appTitle,
                       m_processIdentifier);
}

QString MenuItemViewModel::absence() const
{
    return absenceText(m_absence, m_appTitle.isEmpty() ? m_bundleIdentifier : m_appTitle);
}

void MenuItemViewModel::readFrontmostApplication()
{
    const std::optional<RunningApplication> app = m_workspace.frontmostApplication();
    if (!app)
        return;
    m_appTitle = app->localizedName;
    Q_EMIT appTitleChanged();
    m_bundleIdentifier = app->identifier;
    Q_EMIT bundleIdentifierChanged();
    if (m_appSettings.showAppIcon()) {
        // An application without an installed entry has no location to take an icon from.
        if (const std::optional<QString> icon = tavlen::appIcon(app->identifier, m_applications)) {
            m_appIcon = icon;
            Q_EMIT appIconChanged();
        }
    }
}

QList<MenuItem> MenuItemViewModel::fetchMenuItems()
{
    // Held apart from this frame: a source that answers later must find something to write to.
    const auto items = std::make_shared<QList<MenuItem>>();
    requestMenus(
        [items](const MenuSnapshot& snapshot) { *items = HotkeyManager::pruneMenuItems(snapshot.items); });
    return *items;
}

MenuItemViewModel::Filters MenuItemViewModel::filters() const
{
    return Filters{m_appSettings.showAllMenus(), m_appSettings.showInactiveMenu(),
                   m_appSettings.showUserHiddenElements()};
}

QList<MenuItem> MenuItemViewModel::flattenMenuItems(const QList<MenuItem>& items, bool topLevel) const
{
    QList<MenuItem> out;
    flatten(items, topLevel, filters(), out);
    return out;
}

void MenuItemViewModel::flatten(const QList<MenuItem>& items, bool topLevel, const Filters& filters,
                                QList<MenuItem>& out) const
{
    for (const MenuItem& item : items) {
        if (topLevel) {
            out.append(item);
        } else {
            const bool withoutShortcut = item.keys && item.keys->isEmpty();
            if (!(withoutShortcut && !filters.showAllMenus) &&
                (item.keys.has_value() || isVisible(item, filters)))
                out.append(item);
        }
        if (!item.submenu.isEmpty()) {
            QList<MenuItem> below;
            flatten(item.submenu, false, filters, below);
            if (anyVisible(below, filters))
                out.append(below);
        }
    }
}

qint64 MenuItemViewModel::countVisibleItems(const QList<MenuItem>& items) const
{
    return countVisible(items, filters());
}

qint64 MenuItemViewModel::countVisible(const QList<MenuItem>& items, const Filters& filters) const
{
    qint64 count = 0;
    for (const MenuItem& item : items) {
        if (!item.keys && !item.submenu.isEmpty())
            count += countVisible(item.submenu, filters);
        else if (item.isActive || filters.showInactiveMenu)
            ++count;
    }
    return count;
}

// Whether countVisible would be at least 1, without counting every element of a large menu.
bool MenuItemViewModel::anyVisible(const QList<MenuItem>& items, const Filters& filters) const
{
    return std::any_of(items.cbegin(), items.cend(),
                       [&](const MenuItem& item) { return isVisible(item, filters); });
}

bool MenuItemViewModel::isVisible(const MenuItem& item, const Filters& filters) const
{
    if (!item.keys && !item.submenu.isEmpty())
        return anyVisible(item.submenu, filters);
    return item.isActive || filters.showInactiveMenu;
}

QList<MenuItem> MenuItemViewModel::groupMenuItems(const QList<MenuItem>& entries) const
{
    return group(entries, filters());
}

QList<MenuItem> MenuItemViewModel::group(const QList<MenuItem>& entries, const Filters& filters) const
{
    // An element whose shortcut text is empty is there only to show every menu entry; while
    // that setting is off it counts as an element without shortcut, for rows as for placeholders.
    const auto hasKeys = [&filters](const MenuItem& item) {
        return item.keys.has_value() && (filters.showAllMenus || !item.keys->isEmpty());
    };

    // One digest per element for both lists: hashing is most of the grouping's cost.
    const auto isHidden = [this](const MenuItem& child) {
        if (m_storedFlags.isEmpty() && m_storedGlobalFlags.isEmpty())
            return false;
        const QString key = elementKey(child.title, *child.keys);
        return m_storedFlags.findKey(key).hidden || m_storedGlobalFlags.findKey(key).hidden;
    };

    MenuItemIds ids;
    QList<MenuItem> result;
    result.reserve(entries.size());
    QHash<QString, int> groupTitles;
    for (const MenuItem& entry : entries) {
        MenuItem copy = bareCopy(entry, ids);
        if (!hasKeys(entry)) {
            if (entry.submenu.isEmpty())
                continue;
            for (const MenuItem& child : entry.submenu) {
                if (!filters.showUserHiddenElements) {
                    if (!hasKeys(child))
                        continue;
                    if (isHidden(child))
                        continue;
                }
                if (!child.isActive && !filters.showInactiveMenu)
                    continue;
                const bool kept = (filters.showAllMenus && !child.title.isEmpty()) || hasKeys(child);
                if (kept)
                    copy.submenu.append(bareCopy(child, ids));
            }
            if (!copy.submenu.isEmpty()) {
                groupTitles[copy.title] += 1;
                result.append(std::move(copy));
            }
        } else if (entry.isActive || filters.showInactiveMenu) {
            // Placeholders keep their place whatever the stored flags say, so that hiding an
            // element never moves the groups between columns.
            result.append(std::move(copy));
        }
    }
    // Groups that share a title ("Audio Clips" under Edit and under Insert) are told apart by the
    // menu above them; titles that are unique stay as short as they are.
    for (MenuItem& item : result) {
        if (!item.submenu.isEmpty() && groupTitles.value(item.title) > 1 && !item.parentTitles.isEmpty())
            item.title = item.parentTitles.constLast() + QStringLiteral(" › ") + item.title;
    }
    return result;
}

QList<ManualHotkey> MenuItemViewModel::fetchCustomItems(const QString& applicationIdentifier)
{
    const bool includeDisabled = m_appSettings.showUserHiddenElements();
    QList<ManualHotkey> items;
    for (const CustomHotkeyRow& row :
         m_databaseManager.getCustomHotkeys(applicationIdentifier, includeDisabled)) {
        // The store hands out only rows whose uuid parses; one that does not cannot be addressed
        // by the row actions and is left out.
        if (std::optional<ManualHotkey> item = ManualHotkey::fromRow(row))
            items.append(std::move(*item));
    }
    return items;
}

ElementFlags MenuItemViewModel::storedFlags(const QString& title, const QString& keys) const
{
    return m_storedFlags.find(title, keys);
}

ElementFlags MenuItemViewModel::storedGlobalFlags(const QString& title, const QString& keys) const
{
    return m_storedGlobalFlags.find(title, keys);
}

void MenuItemViewModel::setStoredHotkeys(QList<HotkeyState> states, QList<HotkeyState> globalStates)
{
    m_storedHotkeys = std::move(states);
    m_storedFlags = StoredFlagIndex(m_storedHotkeys);
    m_storedHotkeysGlobally = std::move(globalStates);
    m_storedGlobalFlags = StoredFlagIndex(m_storedHotkeysGlobally);
}

SheetContent MenuItemViewModel::content() const
{
    return SheetContent{m_loaded,         m_appTitle,         m_bundleIdentifier,
                        m_appIcon,        m_columns,          m_columnsAmount,
                        m_columnHeight,   m_groupedMenuItems, m_customGlobalItems,
                        m_customAppItems, m_storedHotkeys,    m_storedHotkeysGlobally,
                        notice(),         absence()};
}

SheetLayout MenuItemViewModel::layout() const
{
    const SheetLayoutOptions options{m_appSettings.showAppIcon(), m_appSettings.showInactiveMenu(),
                                     m_appSettings.showCredits(), m_appSettings.fontSize()};
    return layOutSheet(content(), options);
}

} // namespace tavlen
