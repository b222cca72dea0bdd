#include "sheet/MenuItemViewModel.h"

#include "sheet/EmptySheetReason.h"

#include "harvest/InlineMenuReader.h"

#include "platform/fake/FakeAccessibility.h"
#include "platform/fake/FakeApplicationDirectory.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeFileLocations.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeTimers.h"
#include "platform/fake/FakeUserDefaults.h"
#include "platform/fake/FakeWorkspace.h"
#include "settings/AppSettings.h"
#include "support/FakeDesktop.h"
#include "support/ManualMenuReader.h"
#include "support/MenuFixtureBuilder.h"
#include "support/StoreTestSupport.h"

#include "support/MenuItemSearch.h"
#include "support/NotifyLog.h"
#include <QMetaProperty>
#include <QSet>
#include <gtest/gtest.h>
#include <memory>

using namespace tavlen;
using namespace tavlen::test::menus;
using fake::FakeAccessibility;

using tavlen::test::find;
using tavlen::test::titlesOf;

namespace {

const QString EDITOR = QStringLiteral("org.example.Editor");
const QString GLOBAL = QStringLiteral("global");
constexpr qint64 EDITOR_PID = 100;
const QString UUID_A = QStringLiteral("0A3D1E27-5B8C-4D2F-9E61-7C4B8A2F1D30");
const QString UUID_B = QStringLiteral("1B4E2F38-6C9D-4E3A-8F72-8D5C9B3A2E41");
const QString UUID_C = QStringLiteral("2C5F3A49-7DAE-4F4B-9A83-9E6DAC4B3F52");

QJsonObject inactive(const QString& title, const QString& character)
{
    return titled(title,
                  {{QStringLiteral("AXMenuItemCmdChar"), character}, {QStringLiteral("AXEnabled"), false}});
}

QJsonObject unkeyed(const QString& title)
{
    return titled(title, {{QStringLiteral("AXEnabled"), true}});
}

// Each entry as "Title" for a placeholder, "Title[Row, Row]" for a group.
QStringList entriesOf(const QList<MenuItem>& entries)
{
    QStringList described;
    for (const MenuItem& entry : entries) {
        if (entry.submenu.isEmpty())
            described.append(entry.title);
        else
            described.append(entry.title + QLatin1Char('[') +
                             titlesOf(entry.submenu).join(QStringLiteral(", ")) + QLatin1Char(']'));
    }
    return described;
}

const MenuItem* entryNamed(const QList<MenuItem>& entries, const QString& title, bool group)
{
    for (const MenuItem& entry : entries) {
        if (entry.title == title && entry.submenu.isEmpty() != group)
            return &entry;
    }
    return nullptr;
}

class MenuItemViewModelTest : public ::testing::Test, protected test::FakeDesktop {
protected:
    MenuItemViewModelTest() : settings(makeSettings(locations, files)), store(storeSupport.open()) {}

    // The editor, frontmost, with the system menu and `menus` in its menu bar.
    void install(const QJsonArray& menus)
    {
        const MenuFixture fixture =
            parsed(application(EDITOR, QStringLiteral("Editor"), EDITOR_PID, menuBar(menus)));
        accessibility.addApplication(fixture);
        workspace.setFrontmostApplication(fixture.application);
    }

    // Edit: Copy, Find (Find…, Find Next), Paste.
    void installEditMenu()
    {
        install(
            {menu(QStringLiteral("Edit"),
                  {keyed(QStringLiteral("Copy"), QStringLiteral("C")),
                   menu(QStringLiteral("Find"), {keyed(QStringLiteral("Find…"), QStringLiteral("F")),
                                                 keyed(QStringLiteral("Find Next"), QStringLiteral("G"))}),
                   keyed(QStringLiteral("Paste"), QStringLiteral("V"))})});
    }

    // One menu "Items" with `count` keyed elements: count + 1 entries.
    void installKeyedMenu(int count)
    {
        QJsonArray children;
        for (int i = 0; i < count; ++i)
            children.append(keyed(QStringLiteral("Item %1").arg(i), QString(QChar(u'A' + i))));
        install({menu(QStringLiteral("Items"), children)});
    }

    MenuItemViewModel& load(qint64 forceAmountOfColumns = 0)
    {
        model = std::make_unique<MenuItemViewModel>(workspace, menuSource, store, settings, applications,
                                                    clock, forceAmountOfColumns);
        model->loadSheet();
        return *model;
    }

    void addCustom(const QString& appId, const QString& uuid, const QString& title, bool enabled,
                   bool bookmarked = false)
    {
        ASSERT_TRUE(store
                        .saveCustomHotkey(appId, uuid, title, QStringLiteral("⌘ K"), 40, EventFlag::Command,
                                          enabled, bookmarked)
                        .outcome == StoreWrite::Outcome::Written);
    }

    fake::FakeFileLocations locations{QStringLiteral("/home")};
    fake::FakeFileSystem files;
    AppSettings settings;
    test::StoreTestSupport storeSupport;
    DatabaseManager& store;
    std::unique_ptr<MenuItemViewModel> model;
};

TEST_F(MenuItemViewModelTest, FlattensAndGroupsNestedMenuIntoSixEntries)
{
    installEditMenu();
    MenuItemViewModel& sheet = load();

    EXPECT_EQ(sheet.appTitle(), QStringLiteral("Editor"));
    EXPECT_EQ(sheet.bundleIdentifier(), EDITOR);
    EXPECT_EQ(titlesOf(sheet.flattenMenuItems(sheet.fetchMenuItems(), true)),
              (QStringList{"Edit", "Copy", "Find", "Find…", "Find Next", "Paste"}));
    EXPECT_EQ(
        entriesOf(sheet.groupedMenuItems()),
        (QStringList{"Edit[Copy, Paste]", "Copy", "Find[Find…, Find Next]", "Find…", "Find Next", "Paste"}));

    // Every entry and row is a copy of its own, so the views can tell them apart.
    QSet<QUuid> ids;
    for (const MenuItem& entry : sheet.groupedMenuItems()) {
        ids.insert(entry.id);
        for (const MenuItem& row : entry.submenu)
            ids.insert(row.id);
    }
    EXPECT_EQ(ids.size(), 10);

    // Default 4 columns, 6 entries: 5 runs over 4 columns.
    EXPECT_EQ(sheet.columns(), 4);
    EXPECT_EQ(sheet.columnsAmount(), 4);
    EXPECT_EQ(sheet.columnHeight(), 2);
    EXPECT_EQ(sheet.customItems(), 0);
    EXPECT_TRUE(sheet.loaded());
}

TEST_F(MenuItemViewModelTest, PublishesEveryFieldInLoadingOrderAndLoadsOnce)
{
    installEditMenu();
    MenuItemViewModel sheet(workspace, menuSource, store, settings, applications, clock, 0);
    const QMetaObject* meta = sheet.metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
        EXPECT_TRUE(meta->property(i).hasNotifySignal()) << meta->property(i).name();

    test::NotifyLog log(sheet,
                        {"appTitle", "bundleIdentifier", "columns", "groupedMenuItems", "customGlobalItems",
                         "customAppItems", "customItems", "columnsAmount", "columnHeight", "loaded"});
    QStringList& order = log.names;

    EXPECT_FALSE(sheet.loaded());
    sheet.loadSheet();
    EXPECT_EQ(order,
              (QStringList{"appTitle", "bundleIdentifier", "columns", "groupedMenuItems", "customGlobalItems",
                           "customAppItems", "customItems", "columnsAmount", "columnHeight", "loaded"}));

    // A second load announces `loaded` again and reads nothing.
    order.clear();
    accessibility.clearCalls();
    workspace.setFrontmostApplication(std::nullopt);
    sheet.loadSheet(1);
    EXPECT_EQ(order, QStringList{"loaded"});
    EXPECT_TRUE(accessibility.calls().isEmpty());
    EXPECT_EQ(sheet.columns(), 4);
    EXPECT_EQ(sheet.property("columns").toLongLong(), 4);
    EXPECT_EQ(sheet.property("appTitle").toString(), QStringLiteral("Editor"));
}

TEST_F(MenuItemViewModelTest, ColumnCountFromSettingOrDemand)
{
    installKeyedMenu(6); // 7 entries

    struct Case {
        qint64 force;
        int setting;
        qint64 columns;
        qint64 height;
    };
    // 0 or negative settings count as one column, which holds every entry; with 3 columns the
    // runs of 2 would leave the seventh entry out.
    for (const Case& c : {Case{0, 4, 4, 2}, Case{0, 3, 3, 3}, Case{0, 0, 1, 7}, Case{0, -3, 1, 7},
                          Case{1, 4, 1, 7}, Case{2, 5, 2, 4}, Case{-1, 5, 5, 2}}) {
        settings.setAmountOfColumns(c.setting);
        const MenuItemViewModel& sheet = load(c.force);
        EXPECT_EQ(sheet.columns(), c.columns) << "force " << c.force << " setting " << c.setting;
        EXPECT_EQ(sheet.columnsAmount(), c.columns);
        EXPECT_EQ(sheet.columnHeight(), c.height) << "force " << c.force << " setting " << c.setting;
        EXPECT_EQ(sheet.groupedMenuItems().size(), 7);
    }
}

TEST_F(MenuItemViewModelTest, CustomShortcutsTakeAColumnOfTheirOwn)
{
    installKeyedMenu(6);
    addCustom(GLOBAL, UUID_A, QStringLiteral("Terminal"), true, true);
    addCustom(EDITOR, UUID_B, QStringLiteral("Wrap"), true);
    addCustom(EDITOR, UUID_C, QStringLiteral("Disabled one"), false);

    const MenuItemViewModel& four = load();
    EXPECT_EQ(four.columns(), 4);
    EXPECT_EQ(four.columnsAmount(), 3);
    EXPECT_EQ(four.columnHeight(), 3); // 7 entries over 3 columns
    EXPECT_EQ(four.customItems(), 2);
    ASSERT_EQ(four.customGlobalItems().size(), 1);
    EXPECT_EQ(four.customGlobalItems().front().title, QStringLiteral("Terminal"));
    EXPECT_TRUE(four.customGlobalItems().front().isBookmarked);
    EXPECT_EQ(four.customGlobalItems().front().uuidText(), UUID_A);
    ASSERT_EQ(four.customAppItems().size(), 1);
    EXPECT_EQ(four.customAppItems().front().title, QStringLiteral("Wrap"));
    ASSERT_TRUE(four.customAppItems().front().keys.has_value());
    EXPECT_EQ(four.customAppItems().front().keys->keyCode, 40);
    EXPECT_TRUE(four.customAppItems().front().keys->isCommand);

    const SheetLayout grid = four.layout();
    EXPECT_EQ(grid.menuColumns.size(), 3);
    ASSERT_TRUE(grid.customColumn.has_value());
    EXPECT_EQ(grid.customColumn->cell, (GridPosition{0, 3}));
    EXPECT_EQ(grid.gridRows, 1);

    // The persistent panel: one column, the custom shortcuts in a second grid row below it.
    const MenuItemViewModel& one = load(1);
    EXPECT_EQ(one.columnsAmount(), 1);
    EXPECT_EQ(one.columnHeight(), 7);
    const SheetLayout stacked = one.layout();
    ASSERT_TRUE(stacked.customColumn.has_value());
    EXPECT_EQ(stacked.menuColumns.front().cell, (GridPosition{0, 0}));
    EXPECT_EQ(stacked.customColumn->cell, (GridPosition{1, 0}));
    EXPECT_EQ(stacked.gridRows, 2);

    // Disabled custom shortcuts are listed only while user-hidden entries are shown.
    settings.setShowUserHiddenElements(true);
    const MenuItemViewModel& all = load();
    EXPECT_EQ(all.customItems(), 3);
    ASSERT_EQ(all.customAppItems().size(), 2);
    const auto disabled = std::find_if(all.customAppItems().cbegin(), all.customAppItems().cend(),
                                       [](const ManualHotkey& item) { return !item.isActive; });
    ASSERT_NE(disabled, all.customAppItems().cend());
    EXPECT_EQ(disabled->title, QStringLiteral("Disabled one"));
}

TEST_F(MenuItemViewModelTest, HiddenElementsLeaveTheirRowsButKeepTheirPlaceholders)
{
    installEditMenu();
    const QList<MenuItem> before = load().groupedMenuItems();
    const MenuItem* copy = entryNamed(before, QStringLiteral("Copy"), false);
    const MenuItem* paste = entryNamed(before, QStringLiteral("Paste"), false);
    ASSERT_TRUE(copy && paste && copy->keys && paste->keys);

    ASSERT_TRUE(store.saveHotkeyState(EDITOR, QStringLiteral("Copy"), *copy->keys, false, true).outcome ==
                StoreWrite::Outcome::Written);
    ASSERT_TRUE(store.saveHotkeyState(GLOBAL, QStringLiteral("Paste"), *paste->keys, false, true).outcome ==
                StoreWrite::Outcome::Written);
    // A flag stored for another application changes nothing here.
    ASSERT_TRUE(store
                    .saveHotkeyState(QStringLiteral("org.example.Other"), QStringLiteral("Find…"),
                                     QStringLiteral("⌘ F"), false, true)
                    .outcome == StoreWrite::Outcome::Written);

    const MenuItemViewModel& hidden = load();
    EXPECT_EQ(entriesOf(hidden.groupedMenuItems()),
              (QStringList{"Copy", "Find[Find…, Find Next]", "Find…", "Find Next", "Paste"}))
        << "a menu whose rows are all hidden has no group, its placeholders stay";
    EXPECT_EQ(hidden.storedFlags(QStringLiteral("Copy"), *copy->keys), (ElementFlags{false, true}));
    EXPECT_EQ(hidden.storedGlobalFlags(QStringLiteral("Paste"), *paste->keys).hidden, true);
    EXPECT_EQ(hidden.storedFlags(QStringLiteral("Paste"), *paste->keys), ElementFlags{});

    // With the first entry a placeholder, the top of the sheet is the application's heading.
    const SheetLayout layout = hidden.layout();
    ASSERT_FALSE(layout.menuColumns.front().sections.isEmpty());
    const SheetSection& top = layout.menuColumns.front().sections.front();
    EXPECT_TRUE(top.isApplicationHeading);
    EXPECT_EQ(top.title, QStringLiteral("Editor"));

    // Shown again, with the flags their rows start from.
    settings.setShowUserHiddenElements(true);
    const MenuItemViewModel& shown = load();
    EXPECT_EQ(
        entriesOf(shown.groupedMenuItems()),
        (QStringList{"Edit[Copy, Paste]", "Copy", "Find[Find…, Find Next]", "Find…", "Find Next", "Paste"}));
    const SheetLayout visible = shown.layout();
    const SheetSection& edit = visible.menuColumns.front().sections.front();
    ASSERT_EQ(edit.title, QStringLiteral("Edit"));
    ASSERT_EQ(edit.rows.size(), 2);
    EXPECT_TRUE(edit.rows[0].hidden);
    EXPECT_FALSE(edit.rows[0].hiddenGlobally);
    EXPECT_TRUE(edit.rows[1].hiddenGlobally);
    EXPECT_FALSE(edit.rows[1].hidden);
}

TEST_F(MenuItemViewModelTest, InactiveAndShortcutLessElements)
{
    install({menu(QStringLiteral("File"), {keyed(QStringLiteral("New"), QStringLiteral("N")),
                                           inactive(QStringLiteral("Close"), QStringLiteral("W")),
                                           unkeyed(QStringLiteral("Recent"))})});

    // Defaults: inactive entries shown, entries without shortcut not.
    EXPECT_EQ(entriesOf(load().groupedMenuItems()), (QStringList{"File[New, Close]", "New", "Close"}));
    const SheetLayout layout = model->layout();
    ASSERT_EQ(layout.menuColumns.front().sections.front().rows.size(), 2);

    settings.setShowInactiveMenu(false);
    EXPECT_EQ(entriesOf(load().groupedMenuItems()), (QStringList{"File[New]", "New"}));
    EXPECT_EQ(model->countVisibleItems(model->fetchMenuItems()), 1);

    settings.setShowAllMenus(true);
    settings.setShowInactiveMenu(true);
    EXPECT_EQ(entriesOf(load().groupedMenuItems()),
              (QStringList{"File[New, Close, Recent]", "New", "Close", "Recent"}));
    const SheetLayout all = model->layout();
    const SheetSection& file = all.menuColumns.front().sections.front();
    ASSERT_EQ(file.rows.size(), 3);
    EXPECT_EQ(file.rows[2].element.keys, QString());
}

TEST_F(MenuItemViewModelTest, EmptyShortcutTextCountsAsNoShortcutWhileAllMenusAreOff)
{
    // Hand-made, as a harvest with showAllMenus off never gives such an element.
    MenuItem recent;
    recent.title = QStringLiteral("Recent");
    recent.keys = QString();
    MenuItem save;
    save.title = QStringLiteral("Save");
    save.keys = QStringLiteral("⌘ S");
    MenuItem file;
    file.title = QStringLiteral("File");
    file.submenu = {recent, save};

    installEditMenu();
    MenuItemViewModel& sheet = load();
    EXPECT_EQ(entriesOf(sheet.groupMenuItems(sheet.flattenMenuItems({file}, true))),
              (QStringList{"File[Save]", "Save"}));

    settings.setShowAllMenus(true);
    EXPECT_EQ(entriesOf(sheet.groupMenuItems(sheet.flattenMenuItems({file}, true))),
              (QStringList{"File[Recent, Save]", "Recent", "Save"}));
}

TEST_F(MenuItemViewModelTest, NoFrontmostApplicationOrNoMenusShowsOnlyTheHeading)
{
    applications.install({EDITOR, QStringLiteral("Editor"), QStringLiteral("/apps/editor.desktop"),
                          QStringLiteral("accessories-text-editor")});
    install({});

    const MenuItemViewModel& empty = load();
    EXPECT_TRUE(empty.loaded());
    EXPECT_TRUE(empty.groupedMenuItems().isEmpty());
    EXPECT_EQ(empty.appIcon(), QStringLiteral("accessories-text-editor"));
    const SheetLayout layout = empty.layout();
    ASSERT_EQ(layout.menuColumns.size(), 4);
    ASSERT_EQ(layout.menuColumns[0].sections.size(), 1);
    EXPECT_TRUE(layout.menuColumns[0].sections[0].isApplicationHeading);
    EXPECT_EQ(layout.menuColumns[0].sections[0].icon, QStringLiteral("accessories-text-editor"));
    for (qsizetype c = 1; c < 4; ++c)
        EXPECT_TRUE(layout.menuColumns[c].sections.isEmpty());

    settings.setShowAppIcon(false);
    EXPECT_FALSE(load().appIcon().has_value());

    workspace.setFrontmostApplication(std::nullopt);
    const MenuItemViewModel& none = load();
    EXPECT_TRUE(none.loaded());
    EXPECT_TRUE(none.appTitle().isEmpty());
    EXPECT_TRUE(none.bundleIdentifier().isEmpty());
    EXPECT_TRUE(none.groupedMenuItems().isEmpty());
}

TEST_F(MenuItemViewModelTest,
       ASheetFromKeptMenusFollowsTheReadBehindThemAndSaysWhenTheApplicationStopsAnswering)
{
    test::ManualMenuReader reader;
    MenuSource source(reader, timers, clock);
    const auto sheet = [&] {
        return std::make_unique<MenuItemViewModel>(workspace, source, store, settings, applications, clock,
                                                   0);
    };
    installEditMenu();

    // The first sheet waits for the read.
    const auto first = sheet();
    first->loadSheet();
    EXPECT_FALSE(first->loaded());
    reader.finishNext(accessibility);
    ASSERT_TRUE(first->loaded());
    EXPECT_EQ(entriesOf(first->groupedMenuItems()).first(), QStringLiteral("Edit[Copy, Paste]"));
    EXPECT_TRUE(first->notice().isEmpty());

    // A later one shows the kept menus at once, then what the read behind them finds.
    timers.advance(std::chrono::seconds(1));
    install({menu(QStringLiteral("Edit"), {keyed(QStringLiteral("Duplicate"), QStringLiteral("D"))})});
    const auto second = sheet();
    int loads = 0;
    QObject::connect(second.get(), &MenuItemViewModel::loadedChanged, [&loads] { ++loads; });
    second->loadSheet();
    ASSERT_EQ(loads, 1);
    EXPECT_EQ(second->menuStatus(), MenuStatus::Cached);
    EXPECT_EQ(entriesOf(second->groupedMenuItems()).first(), QStringLiteral("Edit[Copy, Paste]"));
    reader.finishNext(accessibility);
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(entriesOf(second->groupedMenuItems()), (QStringList{"Edit[Duplicate]", "Duplicate"}));

    // The next read never comes back: the sheet keeps its entries and says why they may be old.
    timers.advance(std::chrono::seconds(1));
    const auto third = sheet();
    third->loadSheet();
    timers.advance(std::chrono::milliseconds(MenuSource::READ_DEADLINE_MS + MenuSource::ANSWER_GRACE_MS));
    EXPECT_EQ(third->menuStatus(), MenuStatus::NotAnswering);
    EXPECT_EQ(third->notice(), QStringLiteral("Editor (pid 100) did not answer within 1 s"));
    EXPECT_EQ(third->content().notice, third->notice());
    EXPECT_EQ(entriesOf(third->groupedMenuItems()), (QStringList{"Edit[Duplicate]", "Duplicate"}));
}

TEST_F(MenuItemViewModelTest, OnlyTheFirstHeadingCarriesTheIcon)
{
    applications.install(
        {EDITOR, QStringLiteral("Editor"), QStringLiteral("/apps/editor.desktop"), QString()});
    install({menu(QStringLiteral("File"), {keyed(QStringLiteral("New"), QStringLiteral("N"))}),
             menu(QStringLiteral("Edit"), {keyed(QStringLiteral("Copy"), QStringLiteral("C"))}),
             menu(QStringLiteral("View"), {keyed(QStringLiteral("Zoom"), QStringLiteral("Z"))})});

    const SheetLayout layout = load(1).layout();
    QStringList headings;
    for (const SheetSection& section : layout.menuColumns.front().sections) {
        headings << section.title;
        EXPECT_EQ(section.icon.has_value(), section.title == QStringLiteral("File"))
            << section.title.toStdString();
    }
    EXPECT_EQ(headings, (QStringList{"File", "Edit", "View"}));
    EXPECT_EQ(layout.menuColumns.front().sections.front().icon, QStringLiteral("application-x-executable"));
}

} // namespace

TEST_F(MenuItemViewModelTest, GroupsSharingATitleAreToldApartByTheMenuAboveThem)
{
    install({menu(QStringLiteral("Edit"),
                  {menu(QStringLiteral("Audio Clips"), {keyed(QStringLiteral("Trim"), QStringLiteral("T"))}),
                   menu(QStringLiteral("Find"), {keyed(QStringLiteral("Find…"), QStringLiteral("F"))})}),
             menu(QStringLiteral("Insert"), {menu(QStringLiteral("Audio Clips"),
                                                  {keyed(QStringLiteral("Clip"), QStringLiteral("K"))})})});
    MenuItemViewModel& sheet = load();
    EXPECT_EQ(entriesOf(sheet.groupedMenuItems()),
              (QStringList{"Edit › Audio Clips[Trim]", "Trim", "Find[Find…]", "Find…",
                           "Insert › Audio Clips[Clip]", "Clip"}));
    // Only the group's heading changes: rows keep their titles and the menus they are in.
    const MenuItem* trim = entryNamed(sheet.groupedMenuItems(), QStringLiteral("Trim"), false);
    ASSERT_NE(trim, nullptr);
    EXPECT_EQ(trim->parentTitles, (QStringList{"Edit", "Audio Clips"}));
}

TEST_F(MenuItemViewModelTest, AnEmptySheetCarriesThePlatformsReasonForIt)
{
    // No menu bar at all.
    const MenuFixture bare = parsed(application(EDITOR, QStringLiteral("Editor"), EDITOR_PID, std::nullopt));
    accessibility.addApplication(bare);
    workspace.setFrontmostApplication(bare.application);
    EXPECT_EQ(load().content().absence,
              QStringLiteral("Editor has no menu bar, and Tavlen knows no other list of its shortcuts."));
    EXPECT_EQ(emptySheetReason(model->content(), model->layout()), model->content().absence);

    // Menus that are empty until opened, as Gecko's are.
    menuSource.clear();
    install({menu(QStringLiteral("File"), {}), menu(QStringLiteral("Edit"), {})});
    EXPECT_EQ(load().menuAbsence().kind, MenuAbsence::Kind::MenusNotOpened);

    // Once a menu has been opened its shortcuts show, and nothing more is said.
    menuSource.clear();
    install({menu(QStringLiteral("File"), {keyed(QStringLiteral("New Tab"), QStringLiteral("T"))}),
             menu(QStringLiteral("Edit"), {})});
    EXPECT_EQ(load().menuAbsence().kind, MenuAbsence::Kind::None);
    EXPECT_TRUE(model->content().absence.isEmpty());

    // An application that is not on the bus: the source hands the reason on as it keeps it.
    menuSource.clear();
    const RunningApplication old{QStringLiteral("org.example.Old"), QStringLiteral("Old"), 300};
    takeOffBus(old.processIdentifier, QStringLiteral("Qt 5"));
    workspace.setFrontmostApplication(old);
    const MenuAbsence expected{MenuAbsence::Kind::NotOnBus, QStringLiteral("Qt 5")};
    EXPECT_EQ(load().menuAbsence(), expected);
    EXPECT_EQ(load().menuAbsence(), expected);
    EXPECT_TRUE(model->content().absence.contains(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1")));
}
