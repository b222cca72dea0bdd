#pragma once

#include "harvest/MenuItem.h"
#include "harvest/MenuSource.h"
#include "sheet/SheetLayout.h"
#include "sheet/StoredFlagIndex.h"
#include "store/HotkeyState.h"
#include "store/ManualHotkey.h"

#include <QList>
#include <QObject>
#include <QString>
#include <optional>

namespace tavlen {

class AppSettings;
class ApplicationDirectory;
class Clock;
class DatabaseManager;
class Workspace;

// The model of one shortcut sheet: reads the frontmost application's menus once, merges the
// stored flags, groups the entries and decides how many go in each column. It lives as long as
// its sheet view; a changed setting or another frontmost application shows only in a new sheet.
// The menus come from the MenuSource, at once when it keeps them, else when its read ends (at the
// latest at the read's deadline); when a later read finds that the application's menus differ
// from those shown, the sheet takes them and announces `loaded` again.
//
// Every published property notifies its observers each time loading sets it, changed or not,
// one after another in the order of loading.
class MenuItemViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool loaded READ loaded NOTIFY loadedChanged)
    // The icon name or image path; empty when there is none.
    Q_PROPERTY(QString appIcon READ appIconName NOTIFY appIconChanged)
    Q_PROPERTY(QString appTitle READ appTitle NOTIFY appTitleChanged)
    Q_PROPERTY(QString bundleIdentifier READ bundleIdentifier NOTIFY bundleIdentifierChanged)
    Q_PROPERTY(qint64 columns READ columns NOTIFY columnsChanged)
    Q_PROPERTY(QList<tavlen::MenuItem> groupedMenuItems READ groupedMenuItems NOTIFY groupedMenuItemsChanged)
    Q_PROPERTY(
        QList<tavlen::ManualHotkey> customGlobalItems READ customGlobalItems NOTIFY customGlobalItemsChanged)
    Q_PROPERTY(QList<tavlen::ManualHotkey> customAppItems READ customAppItems NOTIFY customAppItemsChanged)
    Q_PROPERTY(qint64 customItems READ customItems NOTIFY customItemsChanged)
    Q_PROPERTY(qint64 columnsAmount READ columnsAmount NOTIFY columnsAmountChanged)
    Q_PROPERTY(qint64 columnHeight READ columnHeight NOTIFY columnHeightChanged)

public:
    // forceAmountOfColumns: the grid columns the sheet demands; 0 or less lets the setting
    // `amountOfColumns` decide (the shortcut panel passes 0, the persistent panel 1).
    MenuItemViewModel(Workspace& workspace, MenuSource& menus, DatabaseManager& databaseManager,
                      AppSettings& appSettings, const ApplicationDirectory& applications, const Clock& clock,
                      qint64 forceAmountOfColumns = 0, QObject* parent = nullptr);

    qint64 forceAmountOfColumns() const { return m_forceAmountOfColumns; }

    bool loaded() const { return m_loaded; }
    const std::optional<QString>& appIcon() const { return m_appIcon; }
    QString appIconName() const { return m_appIcon.value_or(QString()); }
    const QString& appTitle() const { return m_appTitle; }
    const QString& bundleIdentifier() const { return m_bundleIdentifier; }
    qint64 columns() const { return m_columns; }
    const QList<MenuItem>& groupedMenuItems() const { return m_groupedMenuItems; }
    const QList<ManualHotkey>& customGlobalItems() const { return m_customGlobalItems; }
    const QList<ManualHotkey>& customAppItems() const { return m_customAppItems; }
    qint64 customItems() const { return m_customItems; }
    qint64 columnsAmount() const { return m_columnsAmount; }
    qint64 columnHeight() const { return m_columnHeight; }
    const QList<HotkeyState>& storedHotkeys() const { return m_storedHotkeys; }
    const QList<HotkeyState>& storedHotkeysGlobally() const { return m_storedHotkeysGlobally; }

    // The single loading step. Runs once per model: later calls only announce `loaded` again.
    // A call made while loading runs (or waits for the menus) is ignored.
    void loadSheet(qint64 forceAmountOfColumns);
    void loadSheet() { loadSheet(m_forceAmountOfColumns); }

    // The loading step's parts, public for the drawing and for tests.
    void readFrontmostApplication();
    // The frontmost application's menus, pruned, as far as the menu source hands them out at once
    // (it always does when it keeps them, or reads inline); empty otherwise.
    QList<MenuItem> fetchMenuItems();
    // How the menus shown came to be, and the line that says so when they may be incomplete.
    MenuStatus menuStatus() const { return m_menuStatus; }
    QString notice() const;
    // Why the application shows no menus, and the line that says so; empty when it has some.
    const MenuAbsence& menuAbsence() const { return m_absence; }
    QString absence() const;
    QList<MenuItem> flattenMenuItems(const QList<MenuItem>& items, bool topLevel) const;
    qint64 countVisibleItems(const QList<MenuItem>& items) const;
    QList<MenuItem> groupMenuItems(const QList<MenuItem>& entries) const;
    QList<ManualHotkey> fetchCustomItems(const QString& applicationIdentifier);
    // The stored (bookmarked, hidden) of an element of the frontmost application, and of
    // "global" (where only hidden is used); (false, false) without a stored row.
    ElementFlags storedFlags(const QString& title, const QString& keys) const;
    ElementFlags storedGlobalFlags(const QString& title, const QString& keys) const;

    // The published fields as plain values, and the sheet placed for drawing under the current
    // display settings.
    SheetContent content() const;
    SheetLayout layout() const;

Q_SIGNALS:
    void loadedChanged();
    void appIconChanged();
    void appTitleChanged();
    void bundleIdentifierChanged();
    void columnsChanged();
    void groupedMenuItemsChanged();
    void customGlobalItemsChanged();
    void customAppItemsChanged();
    void customItemsChanged();
    void columnsAmountChanged();
    void columnHeightChanged();

private:
    // The display settings the grouping reads, taken once per step rather than once per entry.
    struct Filters {
        bool showAllMenus = false;
        bool showInactiveMenu = true;
        bool showUserHiddenElements = false;
    };
    Filters filters() const;
    void flatten(const QList<MenuItem>& items, bool topLevel, const Filters& filters,
                 QList<MenuItem>& out) const;
    qint64 countVisible(const QList<MenuItem>& items, const Filters& filters) const;
    bool anyVisible(const QList<MenuItem>& items, const Filters& filters) const;
    bool isVisible(const MenuItem& item, const Filters& filters) const;
    QList<MenuItem> group(const QList<MenuItem>& entries, const Filters& filters) const;
    void setStoredHotkeys(QList<HotkeyState> states, QList<HotkeyState> globalStates);
    // Asks the menu source; `done` runs with the pruned menus.
    void requestMenus(std::function<void(const MenuSnapshot&)> done);
    // The loading steps that follow the menus.
    void applyMenus(const MenuSnapshot& snapshot);

    Workspace& m_workspace;
    MenuSource& m_menus;
    DatabaseManager& m_databaseManager;
    AppSettings& m_appSettings;
    const ApplicationDirectory& m_applications;
    const Clock& m_clock;
    qint64 m_forceAmountOfColumns = 0;
    bool m_loading = false;
    qint64 m_processIdentifier = 0;
    MenuStatus m_menuStatus = MenuStatus::Read;
    MenuAbsence m_absence;

    bool m_loaded = false;
    std::optional<QString> m_appIcon;
    QString m_appTitle;
    QString m_bundleIdentifier;
    qint64 m_columns = 0;
    QList<MenuItem> m_groupedMenuItems;
    QList<ManualHotkey> m_customGlobalItems;
    QList<ManualHotkey> m_customAppItems;
    qint64 m_customItems = 0;
    qint64 m_columnsAmount = 0;
    qint64 m_columnHeight = 0;
    QList<HotkeyState> m_storedHotkeys;
    QList<HotkeyState> m_storedHotkeysGlobally;
    StoredFlagIndex m_storedFlags;
    StoredFlagIndex m_storedGlobalFlags;
};

} // namespace tavlen
