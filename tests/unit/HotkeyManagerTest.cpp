#include "harvest/HotkeyManager.h"

#include "platform/AccessibilityError.h"
#include "platform/fake/FakeAccessibility.h"
#include "platform/fake/FakeApplicationDirectory.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeFileLocations.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeUserDefaults.h"
#include "platform/fake/FakeWorkspace.h"
#include "settings/AppSettings.h"
#include "support/FakeDesktop.h"
#include "support/MenuFixtureBuilder.h"
#include "support/StoreTestSupport.h"

#include "support/MenuItemSearch.h"
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

using namespace tavlen;
using namespace tavlen::test::menus;
using fake::FakeAccessibility;
using Operation = FakeAccessibility::Operation;

using tavlen::test::find;
using tavlen::test::titlesOf;

namespace {

const QString EDITOR = QStringLiteral("org.example.Editor");
constexpr qint64 EDITOR_PID = 100;

class HotkeyManagerTest : public ::testing::Test, protected test::FakeDesktop {
protected:
    HotkeyManagerTest() : settings(makeSettings(locations, files)), store(storeSupport.open()) {}

    // The editor application with the system menu and `menus` in its menu bar.
    void install(const QJsonArray& menus, const QString& name = QStringLiteral("Editor"))
    {
        installFixture(application(EDITOR, name, EDITOR_PID, menuBar(menus)));
    }

    void installFixture(const QJsonObject& root) { installFixture(parsed(root)); }

    void installFixture(const MenuFixture& fixture)
    {
        accessibility.addApplication(fixture);
        workspace.addRunningApplication(fixture.application);
    }

    HotkeyManager manager(const QString& identifier = EDITOR)
    {
        return HotkeyManager(QStringLiteral("Editor"), identifier, accessibility, workspace,
                             store.applicationRecorder(), settings.harvestSettings(), clock);
    }

    QList<MenuItem> harvest(const QString& identifier = EDITOR)
    {
        return manager(identifier).harvestMenuBar(identifier);
    }

    // The keys of the one element in a menu "Keys" holding only that element.
    std::optional<QString> keysOf(const QJsonObject& element)
    {
        accessibility.removeApplication(EDITOR_PID);
        workspace.setRunningApplications({});
        install({menu(QStringLiteral("Keys"), {element})});
        const QList<MenuItem> items = harvest();
        const MenuItem* item = find(items, {QStringLiteral("Keys"), element.value("AXTitle").toString()});
        if (!item)
            return std::nullopt;
        return item->keys;
    }

    QString storedTitle(const QString& identifier = EDITOR) const
    {
        return storeSupport
            .column(QStringLiteral(R"(SELECT "title" FROM "Apps" WHERE "identifier" = '%1')").arg(identifier))
            .value(0);
    }

    fake::FakeFileLocations locations{QStringLiteral("/home")};
    fake::FakeFileSystem files;
    AppSettings settings;
    test::StoreTestSupport storeSupport;
    DatabaseManager& store;
};

TEST_F(HotkeyManagerTest, ATitleLessMenuIsLookedThroughAndSeparatorsDropped)
{
    const QJsonObject separator = titled(QString(), {{QStringLiteral("AXEnabled"), false}});
    install({menu(QStringLiteral("File"),
                  {container({keyed(QStringLiteral("New"), QStringLiteral("N")), separator})})});

    for (const bool showAll : {false, true}) {
        settings.setShowAllMenus(showAll);
        const QList<MenuItem> items = harvest();

        ASSERT_EQ(titlesOf(items), QStringList{QStringLiteral("File")}) << "showAllMenus " << showAll;
        const MenuItem& file = items.front();
        EXPECT_EQ(file.level, 1);
        EXPECT_TRUE(file.parentTitles.isEmpty());
        EXPECT_FALSE(file.keys.has_value());
        EXPECT_FALSE(file.hotkeys.has_value());
        EXPECT_TRUE(file.isActive);
        EXPECT_EQ(file.axuieElement, accessibility.findElement(EDITOR_PID, {QStringLiteral("File")}));

        ASSERT_EQ(titlesOf(file.submenu), QStringList{QStringLiteral("New")});
        const MenuItem& item = file.submenu.front();
        EXPECT_EQ(item.keys, QStringLiteral("⌘ N"));
        EXPECT_EQ(item.level, 3);
        EXPECT_EQ(item.parentTitles, QStringList{QStringLiteral("File")});
        EXPECT_TRUE(item.submenu.isEmpty());
        ASSERT_TRUE(item.hotkeys.has_value());
        EXPECT_EQ(item.hotkeys->actionKey, u'N');
        EXPECT_EQ(item.hotkeys->keyCode, u'N');
        EXPECT_EQ(item.hotkeys->virtualKey, 0u);
        EXPECT_EQ(item.hotkeys->modifierKeys, 0u);
        EXPECT_EQ(item.axuieElement,
                  accessibility.findElement(EDITOR_PID, {QStringLiteral("File"), QStringLiteral("New")}));
        EXPECT_NE(item.id, file.id);
    }
}

TEST_F(HotkeyManagerTest, ElementsWithoutShortcutOnlyWithShowAllMenus)
{
    install({menu(QStringLiteral("Help"),
                  {titled(QStringLiteral("About"), {{QStringLiteral("AXEnabled"), false}}),
                   keyed(QStringLiteral("Search"), QStringLiteral("?"))})});

    settings.setShowAllMenus(false);
    EXPECT_EQ(find(harvest(), {QStringLiteral("Help"), QStringLiteral("About")}), nullptr);

    settings.setShowAllMenus(true);
    const QList<MenuItem> items = harvest();
    const MenuItem* about = find(items, {QStringLiteral("Help"), QStringLiteral("About")});
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->keys, QString());
    EXPECT_FALSE(about->hotkeys.has_value());
    EXPECT_FALSE(about->isActive);
    EXPECT_EQ(about->level, 2);
    // Kept by pruning too: the sheet shows it.
    EXPECT_NE(find(HotkeyManager::pruneMenuItems(items), {QStringLiteral("Help"), QStringLiteral("About")}),
              nullptr);
}

TEST_F(HotkeyManagerTest, KeyNotation)
{
    auto element = [](std::initializer_list<std::pair<const char*, QJsonValue>> attributes) {
        QJsonObject object{{QStringLiteral("AXTitle"), QStringLiteral("Item")}};
        for (const auto& [name, value] : attributes)
            object.insert(QLatin1String(name), value);
        return object;
    };
    struct Case {
        const char* what;
        QJsonObject element;
        std::optional<QString> keys;
    };
    const Case cases[] = {
        {"Command implied", element({{"AXMenuItemCmdChar", "A"}, {"AXMenuItemCmdModifiers", 0}}),
         QStringLiteral("⌘ A")},
        {"no Command", element({{"AXMenuItemCmdChar", "A"}, {"AXMenuItemCmdModifiers", 8}}),
         QStringLiteral("A")},
        {"all three modifiers in order", element({{"AXMenuItemCmdChar", "Z"}, {"AXMenuItemCmdModifiers", 7}}),
         QStringLiteral("⌃⌥⇧⌘ Z")},
        {"function key by glyph",
         element(
             {{"AXMenuItemCmdVirtualKey", 122}, {"AXMenuItemCmdGlyph", 111}, {"AXMenuItemCmdModifiers", 24}}),
         QStringLiteral("🌐 F1")},
        {"modifiers alone are no shortcut", element({{"AXMenuItemCmdModifiers", 2}}), std::nullopt},
        {"glyph wins over the character",
         element({{"AXMenuItemCmdGlyph", 27}, {"AXMenuItemCmdChar", "X"}, {"AXMenuItemCmdModifiers", 0}}),
         QStringLiteral("⌘ ⎋")},
        {"virtual key symbol", element({{"AXMenuItemCmdVirtualKey", 36}, {"AXMenuItemCmdModifiers", 8}}),
         QStringLiteral("⏎")},
        {"virtual key without symbol hides glyph and character",
         element({{"AXMenuItemCmdVirtualKey", 12}, {"AXMenuItemCmdGlyph", 27}, {"AXMenuItemCmdChar", "Q"}}),
         QStringLiteral("⌘")},
        {"function key range needs both",
         element({{"AXMenuItemCmdVirtualKey", 96}, {"AXMenuItemCmdGlyph", 10}}), QStringLiteral("⌘")},
        {"lower case stays", element({{"AXMenuItemCmdChar", "ä"}}), QStringLiteral("⌘ ä")},
        {"first character only", element({{"AXMenuItemCmdChar", "PQ"}}), QStringLiteral("⌘ P")},
        {"character beyond 16 bits is none", element({{"AXMenuItemCmdChar", "😀"}}), std::nullopt},
        {"virtual key beyond 16 bits is no shortcut",
         element({{"AXMenuItemCmdVirtualKey", 70000}, {"AXMenuItemCmdChar", "A"}}), std::nullopt},
        {"number of the wrong type counts as absent",
         element({{"AXMenuItemCmdChar", "B"}, {"AXMenuItemCmdModifiers", 8}, {"AXMenuItemCmdGlyph", 0}}),
         QStringLiteral("B")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keysOf(c.element), c.keys) << c.what;
}

TEST_F(HotkeyManagerTest, TheRawKeyEquivalentIsKept)
{
    install({menu(QStringLiteral("Edit"), {titled(QStringLiteral("Delete"),
                                                  {{QStringLiteral("AXMenuItemCmdVirtualKey"), 117},
                                                   {QStringLiteral("AXMenuItemCmdGlyph"), 10},
                                                   {QStringLiteral("AXMenuItemCmdChar"), QStringLiteral("x")},
                                                   {QStringLiteral("AXMenuItemCmdModifiers"), 5},
                                                   {QStringLiteral("AXEnabled"), false}})})});
    const QList<MenuItem> items = harvest();
    const MenuItem* item = find(items, {QStringLiteral("Edit"), QStringLiteral("Delete")});
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->keys, QStringLiteral("⌃⇧⌘ ⌦"));
    EXPECT_FALSE(item->isActive);
    Hotkey expected;
    expected.actionKey = u'x';
    expected.keyCode = u'x';
    expected.modifierKeys = 5;
    expected.keyModifiers = 5;
    expected.virtualKey = 117;
    expected.keyVitrualCode = 117;
    EXPECT_EQ(item->hotkeys, expected);
}

TEST_F(HotkeyManagerTest, ATitleLessChildReplacesWhatItsLevelGathered)
{
    install(
        {menu(QStringLiteral("File"),
              {keyed(QStringLiteral("A"), QStringLiteral("A")), container({keyed(QStringLiteral("B"), "B")}),
               keyed(QStringLiteral("C"), QStringLiteral("C")), container({keyed(QStringLiteral("D"), "D")}),
               keyed(QStringLiteral("E"), QStringLiteral("E"))})});
    const QList<MenuItem> items = harvest();
    const MenuItem* file = find(items, {QStringLiteral("File")});
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(titlesOf(file->submenu), (QStringList{QStringLiteral("D"), QStringLiteral("E")}));
    EXPECT_EQ(file->submenu.front().level, 3);
    EXPECT_EQ(file->submenu.back().level, 2);

    // A title that cannot be read makes a container of a child too, even one with shortcuts.
    accessibility.removeApplication(EDITOR_PID);
    QJsonObject unreadable = menu(QStringLiteral("Broken"), {keyed(QStringLiteral("Inner"), "I")});
    unreadable.insert(QStringLiteral("errors"),
                      QJsonObject{{QStringLiteral("AXTitle"), AXErrorCode::Failure}});
    install(
        {menu(QStringLiteral("Edit"), {keyed(QStringLiteral("Before"), QStringLiteral("B")), unreadable})});
    const QList<MenuItem> edit = harvest();
    ASSERT_EQ(titlesOf(edit), QStringList{QStringLiteral("Edit")});
    EXPECT_EQ(titlesOf(edit.front().submenu), QStringList{QStringLiteral("Inner")});
}

TEST_F(HotkeyManagerTest, BrowsersAreLimitedAndTheSystemMenuTakesAPlace)
{
    QJsonArray fileItems;
    for (int i = 0; i < 5; ++i)
        fileItems.append(keyed(QStringLiteral("Item %1").arg(i), QString(QChar(u'A' + i))));
    const QJsonArray menus{menu(QStringLiteral("File"), fileItems), menu(QStringLiteral("Edit"), fileItems),
                           menu(QStringLiteral("View"), fileItems), menu(QStringLiteral("Help"), fileItems)};
    install(menus);
    settings.setBrowsers({QStringLiteral("org.other.Browser"), EDITOR});
    settings.setLimitElements(3);

    // The limit applies only when switched on.
    settings.setApplyLimitToBrowsers(false);
    EXPECT_TRUE(manager().isAppBrowser());
    EXPECT_EQ(titlesOf(harvest()).size(), 4);
    for (const auto& call : accessibility.calls()) {
        if (call.operation == Operation::CopyAttributeValues) {
            EXPECT_EQ(call.maxValues, HotkeyManager::limitElementsAll);
        }
    }

    settings.setApplyLimitToBrowsers(true);
    accessibility.clearCalls();
    const QList<MenuItem> items = harvest();
    EXPECT_EQ(titlesOf(items), (QStringList{QStringLiteral("File"), QStringLiteral("Edit")}));
    EXPECT_EQ(items.front().submenu.size(), 3);
    qsizetype requests = 0;
    for (const auto& call : accessibility.calls()) {
        if (call.operation == Operation::CopyAttributeValues) {
            EXPECT_EQ(call.maxValues, 3);
            EXPECT_EQ(call.index, 0);
            ++requests;
        }
    }
    EXPECT_EQ(requests, 3); // the menu bar and the two menus seen

    // The browser test is exact and case-sensitive, and fixed when the manager is made.
    settings.setBrowsers({EDITOR.toLower()});
    HotkeyManager notBrowser = manager();
    EXPECT_FALSE(notBrowser.isAppBrowser());
    settings.setBrowsers({EDITOR});
    EXPECT_FALSE(notBrowser.isAppBrowser());
    EXPECT_EQ(titlesOf(notBrowser.harvestMenuBar(EDITOR)).size(), 4);
}

TEST_F(HotkeyManagerTest, PruningKeepsWholeBranchesThatHoldAShortcut)
{
    const QJsonObject noShortcut = titled(QStringLiteral("Plain"), {{QStringLiteral("AXEnabled"), true}});
    install({menu(QStringLiteral("Format"),
                  {menu(QStringLiteral("Empty Holder"), {noShortcut}),
                   menu(QStringLiteral("Text"),
                        {menu(QStringLiteral("Case"), {keyed(QStringLiteral("Upper"), "U")})})}),
             menu(QStringLiteral("Window"), {noShortcut}), titled(QStringLiteral("Empty")),
             menu(QStringLiteral("Tools"), {menu(QStringLiteral("Nothing"), {noShortcut})})});

    const QList<MenuItem> harvested = harvest();
    EXPECT_EQ(titlesOf(harvested), (QStringList{QStringLiteral("Format"), QStringLiteral("Window"),
                                                QStringLiteral("Empty"), QStringLiteral("Tools")}));

    const QList<MenuItem> pruned = HotkeyManager::pruneMenuItems(harvested);
    ASSERT_EQ(titlesOf(pruned), QStringList{QStringLiteral("Format")});
    // Unchanged below: the holder without shortcuts beside the useful branch stays.
    EXPECT_EQ(titlesOf(pruned.front().submenu),
              (QStringList{QStringLiteral("Empty Holder"), QStringLiteral("Text")}));
    EXPECT_EQ(pruned.front().id, harvested.front().id);
    EXPECT_TRUE(HotkeyManager::pruneMenuItems({}).isEmpty());
}

TEST_F(HotkeyManagerTest, EveryHarvestRecordsTheApplication)
{
    install({menu(QStringLiteral("File"), {keyed(QStringLiteral("New"), QStringLiteral("N"))})}, QString());
    clock.set(QDateTime::fromSecsSinceEpoch(1700000123, Qt::UTC).addMSecs(900));
    EXPECT_EQ(harvest().size(), 1);
    EXPECT_EQ(storedTitle(), QStringLiteral("-app-org.example.Editor-1700000123-"));

    // The same row, renamed: by the clock, then by the application's own name.
    clock.set(QDateTime::fromSecsSinceEpoch(1700000200, Qt::UTC));
    harvest();
    EXPECT_EQ(storedTitle(), QStringLiteral("-app-org.example.Editor-1700000200-"));
    workspace.setRunningApplications({{EDITOR, QStringLiteral("Editor"), EDITOR_PID}});
    harvest();
    EXPECT_EQ(storedTitle(), QStringLiteral("Editor"));
    EXPECT_EQ(storeSupport.number(
                  QStringLiteral(R"(SELECT COUNT(*) FROM "Apps" WHERE "identifier" = '%1')").arg(EDITOR)),
              1);

    // Recorded even when nothing can be read.
    workspace.addRunningApplication({QStringLiteral("org.example.Blank"), QStringLiteral("Blank"), 55});
    EXPECT_TRUE(harvest(QStringLiteral("org.example.Blank")).isEmpty());
    EXPECT_EQ(storedTitle(QStringLiteral("org.example.Blank")), QStringLiteral("Blank"));
}

TEST_F(HotkeyManagerTest, NothingToHarvest)
{
    // Not running: nothing asked, nothing stored.
    EXPECT_TRUE(harvest(QStringLiteral("org.example.Gone")).isEmpty());
    EXPECT_TRUE(accessibility.calls().isEmpty());
    EXPECT_EQ(storedTitle(QStringLiteral("org.example.Gone")), QString());

    // Running without a menu bar.
    installFixture(application(EDITOR, QStringLiteral("Editor"), EDITOR_PID, std::nullopt));
    EXPECT_TRUE(harvest().isEmpty());

    // A menu bar with the system menu alone, or with no children.
    accessibility.removeApplication(EDITOR_PID);
    install({});
    EXPECT_TRUE(harvest().isEmpty());
    accessibility.removeApplication(EDITOR_PID);
    installFixture(application(EDITOR, QStringLiteral("Editor"), EDITOR_PID, container({})));
    EXPECT_TRUE(harvest().isEmpty());

    // Without accessibility trust every request fails.
    accessibility.removeApplication(EDITOR_PID);
    install({menu(QStringLiteral("File"), {keyed(QStringLiteral("New"), QStringLiteral("N"))})});
    ASSERT_EQ(harvest().size(), 1);
    accessibility.setTrusted(false);
    EXPECT_TRUE(harvest().isEmpty());
}

TEST_F(HotkeyManagerTest, TheFirstRunningInstanceIsHarvested)
{
    installFixture(application(EDITOR, QStringLiteral("Editor"), 7,
                               menuBar({menu(QStringLiteral("First"), {keyed(QStringLiteral("A"), "A")})})));
    installFixture(application(EDITOR, QStringLiteral("Editor 2"), 8,
                               menuBar({menu(QStringLiteral("Second"), {keyed(QStringLiteral("A"), "A")})})));
    EXPECT_EQ(titlesOf(harvest()), QStringList{QStringLiteral("First")});
    EXPECT_EQ(storedTitle(), QStringLiteral("Editor"));
}

TEST_F(HotkeyManagerTest, LeavesWhoseAttributesFailAreSkipped)
{
    auto failing = [](const QString& title, const char* attribute, qint32 code) {
        QJsonObject element = keyed(title, QStringLiteral("K"));
        element.insert(QStringLiteral("errors"), QJsonObject{{QLatin1String(attribute), code}});
        return element;
    };
    QJsonObject nothing = titled(QStringLiteral("Nothing"));
    QJsonObject brokenMenu = menu(QStringLiteral("Broken"), {keyed(QStringLiteral("Hidden"), "H")});
    brokenMenu.insert(QStringLiteral("errors"),
                      QJsonObject{{QStringLiteral("AXChildren"), AXErrorCode::Failure}});
    install({menu(QStringLiteral("File"),
                  {failing(QStringLiteral("Failed"), "AXMenuItemCmdModifiers", AXErrorCode::Failure),
                   failing(QStringLiteral("Other code"), "AXEnabled", -25204),
                   failing(QStringLiteral("No glyph"), "AXMenuItemCmdGlyph", AXErrorCode::NoValue),
                   failing(QStringLiteral("Unsupported"), "AXEnabled", AXErrorCode::AttributeUnsupported),
                   nothing, keyed(QStringLiteral("Fine"), QStringLiteral("F"))}),
             brokenMenu});
    settings.setShowAllMenus(true);

    const QList<MenuItem> items = harvest();
    const MenuItem* file = find(items, {QStringLiteral("File")});
    ASSERT_NE(file, nullptr);
    // "Nothing" answers no value for all five: an empty reading, skipped even with showAllMenus.
    EXPECT_EQ(titlesOf(file->submenu), (QStringList{QStringLiteral("No glyph"), QStringLiteral("Unsupported"),
                                                    QStringLiteral("Fine")}));
    EXPECT_TRUE(file->submenu[1].isActive);
    const MenuItem* broken = find(items, {QStringLiteral("Broken")});
    ASSERT_NE(broken, nullptr);
    EXPECT_TRUE(broken->submenu.isEmpty());

    accessibility.setOperationFailure(Operation::CopyMultipleAttributeValues, AXErrorCode::Failure);
    EXPECT_TRUE(HotkeyManager::pruneMenuItems(harvest()).isEmpty());
}

TEST_F(HotkeyManagerTest, OnlyLeavesAreAskedForTheirKeysAllAtOnce)
{
    installFixture(parsed([] {
        QFile file(QStringLiteral(TAVLEN_TEST_DATA_DIR "/menus/text-editor.json"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }()));
    const QString textEditor = QStringLiteral("org.gnome.TextEditor");
    const QList<MenuItem> items = harvest(textEditor);
    EXPECT_EQ(titlesOf(items),
              (QStringList{QStringLiteral("File"), QStringLiteral("Edit"), QStringLiteral("View"),
                           QStringLiteral("Window"), QStringLiteral("Help")}));

    const QStringList keyNames{
        QStringLiteral("AXMenuItemCmdChar"),       QStringLiteral("AXMenuItemCmdModifiers"),
        QStringLiteral("AXMenuItemCmdVirtualKey"), QStringLiteral("AXMenuItemCmdGlyph"),
        QStringLiteral("AXMenuItemCmdKeyName"),    QStringLiteral("AXEnabled")};
    QSet<AXElement> askedForKeys;
    QSet<AXElement> askedForChildren;
    for (const auto& call : accessibility.calls()) {
        if (call.operation == Operation::CopyMultipleAttributeValues) {
            EXPECT_EQ(call.attributes, keyNames);
            const auto fixture = accessibility.fixtureOf(call.element);
            ASSERT_TRUE(fixture.has_value());
            EXPECT_TRUE(fixture->children.isEmpty()) << fixture->title.value_or(QString()).toStdString();
            EXPECT_FALSE(askedForKeys.contains(call.element));
            askedForKeys.insert(call.element);
        }
        if (call.operation == Operation::CopyAttributeValues) {
            EXPECT_FALSE(askedForChildren.contains(call.element)) << "children fetched twice";
            askedForChildren.insert(call.element);
        }
    }
    // File: New, Open, notes.txt, todo.md, the separator, Save As, Print, Quit; Edit: five;
    // View: two; Help: one. The system menu is never read.
    EXPECT_EQ(askedForKeys.size(), 8 + 5 + 2 + 1);

    const QList<MenuItem> pruned = HotkeyManager::pruneMenuItems(items);
    EXPECT_EQ(titlesOf(pruned),
              (QStringList{QStringLiteral("File"), QStringLiteral("Edit"), QStringLiteral("View")}));
    const MenuItem* fullscreen = find(pruned, {QStringLiteral("View"), QStringLiteral("Fullscreen")});
    ASSERT_NE(fullscreen, nullptr);
    EXPECT_EQ(fullscreen->keys, QStringLiteral("F11"));
    const MenuItem* print = find(pruned, {QStringLiteral("File"), QStringLiteral("Print…")});
    EXPECT_EQ(print, nullptr) << "a leaf with a failed attribute is skipped";
    const MenuItem* recent = find(pruned, {QStringLiteral("File"), QStringLiteral("Open Recent")});
    ASSERT_NE(recent, nullptr);
    EXPECT_TRUE(recent->submenu.isEmpty());
}

// An adapter whose tree loops back on itself, as a misbehaving application could answer: every
// element holds two title-less children, the menu bar and the element itself (or, with fresh
// handles, an element that cannot be told from a new one).
class LoopingAccessibility final : public Accessibility {
public:
    explicit LoopingAccessibility(bool freshHandles) : m_freshHandles(freshHandles) {}

    AXElement createApplication(qint64) override { return m_app; }
    qint32 copyAttributeValue(const AXElement& element, const QString& attribute, AXValue& value) override
    {
        if (element == m_app && attribute == QLatin1String("AXMenuBar")) {
            value = AXValue::element(m_loop);
            return AXErrorCode::Success;
        }
        return AXErrorCode::NoValue;
    }
    qint32 copyAttributeValues(const AXElement&, const QString&, qint64, qint64,
                               std::vector<AXValue>& values) override
    {
        ++requests;
        const AXElement child = m_freshHandles ? AXElement(std::make_shared<Handle>()) : m_loop;
        values = {AXValue::element(m_loop), AXValue::element(child)};
        return AXErrorCode::Success;
    }
    qint32 attributeValueCount(const AXElement&, const QString&, qint64& count) override
    {
        count = 1;
        return AXErrorCode::Success;
    }
    qint32 copyMultipleAttributeValues(const AXElement&, const QStringList&, std::vector<AXValue>&) override
    {
        return AXErrorCode::Failure;
    }
    qint32 performAction(const AXElement&, const QString&) override { return AXErrorCode::Failure; }
    bool isProcessTrusted(bool) override { return true; }

    int requests = 0;

private:
    struct Handle final : AXElementHandle {};
    bool m_freshHandles;
    AXElement m_app{std::make_shared<Handle>()};
    AXElement m_loop{std::make_shared<Handle>()};
};

TEST_F(HotkeyManagerTest, ATreeThatLoopsBackEnds)
{
    workspace.addRunningApplication({EDITOR, QStringLiteral("Editor"), EDITOR_PID});
    for (const bool fresh : {false, true}) {
        LoopingAccessibility looping(fresh);
        HotkeyManager loopingManager(QStringLiteral("Editor"), EDITOR, looping, workspace,
                                     store.applicationRecorder(), settings.harvestSettings(), clock);
        EXPECT_TRUE(loopingManager.harvestMenuBar(EDITOR).isEmpty());
        // The element itself is recognised at once; unrecognisable ones end at the depth bound.
        EXPECT_EQ(looping.requests > 1, fresh);
        EXPECT_LT(looping.requests, 100);
    }
}

} // namespace

// Geany's menu bar as the AT-SPI adapter recorded it (tavlenctl menus --app geany --json).
TEST_F(HotkeyManagerTest, RecordedGeanyMenuBarHarvestsAsOnTheDesktop)
{
    installFixture(parsed([] {
        QFile file(QStringLiteral(TAVLEN_TEST_DATA_DIR "/menus/geany.json"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }()));
    const QList<MenuItem> pruned = HotkeyManager::pruneMenuItems(harvest(QStringLiteral("geany")));

    const auto keysAt = [&](const QStringList& path) {
        const MenuItem* item = find(pruned, path);
        return item && item->keys ? *item->keys : QStringLiteral("<missing>");
    };
    EXPECT_EQ(titlesOf(pruned).first(), QStringLiteral("File"));
    EXPECT_EQ(keysAt({QStringLiteral("File"), QStringLiteral("New")}), QStringLiteral("⌃ N"));
    EXPECT_EQ(keysAt({QStringLiteral("File"), QStringLiteral("Open Selected File")}), QStringLiteral("⌃⇧ O"));
    EXPECT_EQ(keysAt({QStringLiteral("Edit"), QStringLiteral("Copy")}), QStringLiteral("⌃ C"));
    EXPECT_EQ(keysAt({QStringLiteral("Edit"), QStringLiteral("Commands"), QStringLiteral("Move Line(s) Up")}),
              QStringLiteral("⌥ ⇞"));
    EXPECT_EQ(keysAt({QStringLiteral("Build"), QStringLiteral("Make")}), QStringLiteral("⇧ F9"));
    EXPECT_EQ(keysAt({QStringLiteral("Help"), QStringLiteral("Help")}), QStringLiteral("F1"));

    const MenuItem* save = find(pruned, {QStringLiteral("File"), QStringLiteral("Save")});
    ASSERT_NE(save, nullptr);
    EXPECT_FALSE(save->isActive);
    // Entries under a submenu holder name their whole path.
    const MenuItem* moveUp =
        find(pruned, {QStringLiteral("Edit"), QStringLiteral("Commands"), QStringLiteral("Move Line(s) Up")});
    ASSERT_NE(moveUp, nullptr);
    EXPECT_EQ(moveUp->parentTitles, (QStringList{QStringLiteral("Edit"), QStringLiteral("Commands")}));
    EXPECT_EQ(storedTitle(QStringLiteral("geany")), QStringLiteral("Geany"));
}

TEST_F(HotkeyManagerTest, KeysWithoutAMacSymbolShowThePlatformsNameAndTitlesLoseTheirPadding)
{
    static constexpr int controlShift = 1 | 4 | 8;
    const auto named = [](const QString& title, std::optional<int> virtualKey, const QString& name) {
        QJsonObject element = titled(title, {{QStringLiteral("AXMenuItemCmdModifiers"), controlShift},
                                             {QStringLiteral("AXMenuItemCmdKeyName"), name},
                                             {QStringLiteral("AXEnabled"), true}});
        if (virtualKey)
            element.insert(QStringLiteral("AXMenuItemCmdVirtualKey"), *virtualKey);
        return element;
    };
    EXPECT_EQ(keysOf(named(QStringLiteral("Overwrite Mode"), 114, QStringLiteral("Ins"))),
              QStringLiteral("⌃⇧ Ins"));
    EXPECT_EQ(keysOf(named(QStringLiteral("Play"), std::nullopt, QStringLiteral("Media Play"))),
              QStringLiteral("⌃⇧ Media Play"));
    // A key the notation has a symbol for keeps it, whatever name came along.
    EXPECT_EQ(keysOf(named(QStringLiteral("Up"), 126, QStringLiteral("Up"))), QStringLiteral("⌃⇧ ↑"));

    install({menu(QStringLiteral("  File "),
                  {menu(QStringLiteral("Open Recent      "),
                        {keyed(QStringLiteral(" Last File\t"), QStringLiteral("R"))})})});
    const QList<MenuItem> items = harvest();
    const MenuItem* last =
        find(items, {QStringLiteral("File"), QStringLiteral("Open Recent"), QStringLiteral("Last File")});
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->parentTitles, (QStringList{QStringLiteral("File"), QStringLiteral("Open Recent")}));
}

// Firefox ESR's menu bar (found in its tool bar "Menu Bar") recorded with tavlenctl after each
// menu had been opened once, and as it is before: Gecko fills a menu only when it is opened.
TEST_F(HotkeyManagerTest, RecordedFirefoxMenuBarHarvestsWhatItsOpenedMenusHold)
{
    const auto fixture = [](const char* name) {
        QFile file(QStringLiteral(TAVLEN_TEST_DATA_DIR "/menus/") + QLatin1String(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        return parsed(file.readAll());
    };
    installFixture(fixture("firefox-esr.json"));
    const QList<MenuItem> pruned = HotkeyManager::pruneMenuItems(harvest(QStringLiteral("firefox-esr")));
    const auto keysAt = [&](const QStringList& path) {
        const MenuItem* item = find(pruned, path);
        return item && item->keys ? *item->keys : QStringLiteral("<missing>");
    };
    EXPECT_EQ(titlesOf(pruned), (QStringList{"File", "Edit", "History", "Bookmarks", "Tools"}));
    EXPECT_EQ(keysAt({QStringLiteral("File"), QStringLiteral("New Tab")}), QStringLiteral("⌃ T"));
    EXPECT_EQ(keysAt({QStringLiteral("File"), QStringLiteral("New Private Window")}), QStringLiteral("⌃⇧ P"));
    EXPECT_EQ(keysAt({QStringLiteral("Edit"), QStringLiteral("Find in Page…")}), QStringLiteral("⌃ F"));
    EXPECT_EQ(keysAt({QStringLiteral("Tools"), QStringLiteral("Downloads")}), QStringLiteral("⌃⇧ Y"));
    EXPECT_EQ(shortcutCount(pruned), 24);

    const MenuFixture unopened = fixture("firefox-esr-unopened.json");
    accessibility.addApplication(unopened);
    MenuWalk walk(accessibility, MenuWalkLimits{});
    const QList<MenuItem> closed = walk.menuBar(unopened.application.processIdentifier);
    EXPECT_EQ(titlesOf(closed),
              (QStringList{"File", "Edit", "View", "History", "Bookmarks", "Tools", "Help"}));
    EXPECT_EQ(shortcutCount(closed), 0);
    EXPECT_FALSE(walk.menuBarElement().isNull());
    EXPECT_EQ(walk.emptyMenus(), 7);
}
