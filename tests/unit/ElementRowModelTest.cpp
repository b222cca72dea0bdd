#include "sheet/ElementRowModel.h"

#include "harvest/ShortcutNotation.h"
#include "platform/NotificationNames.h"
#include "platform/fake/FakeAccessibility.h"
#include "sheet/ShortcutTyping.h"
#include "support/MenuFixtureBuilder.h"
#include "support/SheetRowFixture.h"

#include <gtest/gtest.h>

using namespace tavlen;
using namespace tavlen::test::menus;
using Kind = ContextMenuEntry::Kind;
using Operation = fake::FakeAccessibility::Operation;

namespace {

const QString EDITOR = QStringLiteral("org.example.Editor");
constexpr qint64 EDITOR_PID = 100;

// How often a row asked to be redrawn.
struct ChangeCounter {
    explicit ChangeCounter(ElementRowModel& model)
    {
        QObject::connect(&model, &ElementRowModel::changed, [this] { ++count; });
    }
    int count = 0;
};

QList<Kind> kindsOf(const QList<ContextMenuEntry>& entries)
{
    QList<Kind> kinds;
    for (const ContextMenuEntry& entry : entries)
        kinds.append(entry.kind);
    return kinds;
}

class ElementRowModelTest : public test::SheetRowFixture {
protected:
    ElementRowModelTest()
    {
        accessibility.addApplication(parsed(application(
            EDITOR, QStringLiteral("Editor"), EDITOR_PID,
            menuBar({menu(QStringLiteral("File"), {keyed(QStringLiteral("Save"), QStringLiteral("S"))})}))));
    }

    // The keyed element "Save" (⌘ S) of the editor's File menu, pressable through the fake.
    MenuItem saveElement(bool isActive = true, bool withHotkeys = true)
    {
        MenuItem element = fileSaveElement(EDITOR_PID, isActive);
        if (!withHotkeys)
            element.hotkeys.reset();
        return element;
    }

    std::unique_ptr<ElementRowModel> row(MenuItem element, bool bookmarked = false, bool hidden = false,
                                         bool hiddenGlobally = false)
    {
        return std::make_unique<ElementRowModel>(QStringLiteral("Editor"), EDITOR, std::move(element),
                                                 bookmarked, hidden, hiddenGlobally, services());
    }
};

TEST_F(ElementRowModelTest, PressCountsAUseOnlyForActiveElementsWithAShortcut)
{
    row(saveElement(false))->press();
    EXPECT_TRUE(accessibility.presses().isEmpty());
    EXPECT_EQ(accessibility.callCount(Operation::PerformAction), 0);
    EXPECT_TRUE(hotkeyRows(EDITOR).isEmpty());

    // Shown only because every menu is: pressed, but nothing counted.
    row(saveElement(true, false))->press();
    EXPECT_EQ(accessibility.presses().size(), 1);
    EXPECT_TRUE(hotkeyRows(EDITOR).isEmpty());

    auto active = row(saveElement());
    active->press();
    active->press();
    EXPECT_EQ(accessibility.presses().size(), 3);
    EXPECT_EQ(accessibility.presses().last(), active->element().axuieElement);
    EXPECT_EQ(hotkeyRows(EDITOR), QStringList{QStringLiteral("Save:0:0:2")});
}

TEST_F(ElementRowModelTest, APressThatFailsHasStillCountedItsUse)
{
    accessibility.setTrusted(false);
    row(saveElement())->press();
    EXPECT_EQ(accessibility.callCount(Operation::PerformAction), 1);
    EXPECT_TRUE(accessibility.presses().isEmpty());
    EXPECT_EQ(hotkeyRows(EDITOR), QStringList{QStringLiteral("Save:0:0:1")});
}

TEST_F(ElementRowModelTest, HidingAndBookmarkingExcludeEachOther)
{
    auto model = row(saveElement(), true, false);
    ChangeCounter changed(*model);

    model->trigger(Kind::Hide);
    EXPECT_TRUE(model->hidden());
    EXPECT_FALSE(model->bookmarked());
    EXPECT_EQ(hotkeyRows(EDITOR), QStringList{QStringLiteral("Save:0:1:0")});
    EXPECT_EQ(kindsOf(model->contextMenuEntries()), (QList<Kind>{Kind::Show, Kind::HideGlobally}));

    model->toggleBookmark();
    EXPECT_TRUE(model->bookmarked());
    EXPECT_FALSE(model->hidden());
    EXPECT_EQ(hotkeyRows(EDITOR), QStringList{QStringLiteral("Save:1:0:0")});
    EXPECT_EQ(changed.count, 2);

    // Un-bookmarking a visible row leaves it visible; showing a hidden one leaves it unbookmarked.
    model->toggleBookmark();
    model->trigger(Kind::Hide);
    model->trigger(Kind::Show);
    EXPECT_FALSE(model->bookmarked());
    EXPECT_FALSE(model->hidden());
    EXPECT_EQ(hotkeyRows(EDITOR), QStringList{QStringLiteral("Save:0:0:0")});
}

TEST_F(ElementRowModelTest, HidingGloballyWritesUnderGlobalWithoutTheBookmark)
{
    auto model = row(saveElement(), true, false);
    model->trigger(Kind::HideGlobally);

    EXPECT_TRUE(model->hiddenGlobally());
    EXPECT_TRUE(model->bookmarked()); // the row's own flags stay
    EXPECT_EQ(hotkeyRows(QStringLiteral("global")), QStringList{QStringLiteral("Save:0:1:0")});
    EXPECT_TRUE(hotkeyRows(EDITOR).isEmpty());
    EXPECT_EQ(kindsOf(model->contextMenuEntries()), QList<Kind>{Kind::ShowGlobally});
    EXPECT_EQ(model->contextMenuEntries().first().title, QStringLiteral("Show Globally"));

    model->trigger(Kind::ShowGlobally);
    EXPECT_EQ(hotkeyRows(QStringLiteral("global")), QStringList{QStringLiteral("Save:0:0:0")});
    EXPECT_EQ(kindsOf(model->contextMenuEntries()), (QList<Kind>{Kind::Hide, Kind::HideGlobally}));
}

TEST_F(ElementRowModelTest, TextStyleFollowsTheColourTableInOrder)
{
    struct Case {
        bool active, hiddenGlobally, hidden;
        RowTextStyle expected;
    };
    const QList<Case> cases{
        {false, true, true, RowTextStyle::hiddenGlobally(0.25)},
        {false, false, true, RowTextStyle::hidden(0.25)},
        {false, false, false, RowTextStyle::gray()},
        {true, true, true, RowTextStyle::hiddenGlobally(0.5)},
        {true, true, false, RowTextStyle::hiddenGlobally(0.5)},
        {true, false, true, RowTextStyle::hidden(0.5)},
        {true, false, false, RowTextStyle::normal()},
    };
    for (const Case& c : cases) {
        const auto model = row(saveElement(c.active), false, c.hidden, c.hiddenGlobally);
        EXPECT_EQ(model->textStyle(), c.expected) << c.active << c.hiddenGlobally << c.hidden;
    }
    EXPECT_EQ(RowTextStyle::hiddenGlobally(0.5).colour(), (RgbColour{0.961, 0.259, 0.259}));
    EXPECT_EQ(RowTextStyle::hidden(0.5).colour(), (RgbColour{0.09, 0.55, 0.72}));
    EXPECT_FALSE(RowTextStyle::gray().colour());
}

TEST_F(ElementRowModelTest, CustomizeEntryFollowsTheSettings)
{
    settings.setEnableCustomShortcuts(false);
    EXPECT_EQ(kindsOf(row(saveElement())->contextMenuEntries()),
              (QList<Kind>{Kind::Hide, Kind::HideGlobally}));

    settings.setEnableCustomShortcuts(true);
    settings.setCustomShortcutsAvailable(false);
    const QList<ContextMenuEntry> entries = row(saveElement())->contextMenuEntries();
    EXPECT_EQ(kindsOf(entries),
              (QList<Kind>{Kind::Customize, Kind::Divider, Kind::Hide, Kind::HideGlobally}));
    EXPECT_EQ(entries.first(), (ContextMenuEntry{Kind::Customize, QStringLiteral("Customize"), false,
                                                 QStringLiteral("highlighter")}));

    settings.setCustomShortcutsAvailable(true);
    EXPECT_TRUE(row(saveElement())->contextMenuEntries().first().enabled);
}

TEST_F(ElementRowModelTest, CustomizeOpensTheApplicationAndClosesThePanelOnlyWhenInstalled)
{
    QStringList posted;
    notifications.addObserver(NotificationNames::closePanel,
                              [&posted](const QString& name, const QVariantMap&) { posted.append(name); });
    auto model = row(saveElement());

    model->trigger(Kind::Customize);
    EXPECT_EQ(editRequests().size(), 1);
    EXPECT_TRUE(launcher.launches().isEmpty());
    EXPECT_TRUE(posted.isEmpty());

    installCustomShortcuts();
    launcher.setSucceeds(false);
    model->customize();
    EXPECT_EQ(editRequests().size(), 2);
    EXPECT_EQ(launcher.launches(), QStringList{QStringLiteral("com.houdah.CustomShortcuts")});
    EXPECT_TRUE(posted.isEmpty());

    launcher.setSucceeds(true);
    model->customize();
    EXPECT_EQ(editRequests().size(), 3);
    EXPECT_EQ(launcher.launches().size(), 2);
    EXPECT_EQ(posted, QStringList{QStringLiteral("closePanelNotification")});
}

TEST_F(ElementRowModelTest, BookmarkMarkShowsWhenBookmarkedOrHovered)
{
    auto model = row(saveElement());
    ChangeCounter changed(*model);
    EXPECT_EQ(model->bookmarkOpacity(), 0.0);
    EXPECT_EQ(model->bookmarkSymbolName(), QStringLiteral("bookmark"));
    model->setHovered(true);
    model->setHovered(true);
    EXPECT_EQ(model->bookmarkOpacity(), 1.0);
    EXPECT_EQ(changed.count, 1);
    model->setHovered(false);
    model->toggleBookmark();
    EXPECT_EQ(model->bookmarkOpacity(), 1.0);
    EXPECT_EQ(model->bookmarkSymbolName(), QStringLiteral("bookmark.fill"));
}

} // namespace

// Entries from a shortcuts window or a shortcut list have no element: their keys are typed into
// the application, by the key that types the character in the layout in use.
TEST_F(ElementRowModelTest, AnEntryWithoutElementIsTypedInsteadOfPressed)
{
    const RunningApplication editor{EDITOR, QStringLiteral("Editor"), EDITOR_PID};
    workspace.setFrontmostApplication(editor);
    keyboard.setCurrent(fake::FakeKeyboardLayout::Layout::German);
    const auto supplied = [](QString title, QString keys, std::optional<Hotkey> hotkey) {
        MenuItem entry;
        entry.title = std::move(title);
        entry.keys = std::move(keys);
        entry.hotkeys = hotkey;
        entry.level = 2;
        return entry;
    };
    using namespace notation;

    // ⌃ Z: on a German keyboard Z sits where Y sits on a US one (macOS key 16).
    row(supplied(QStringLiteral("Undo"), QStringLiteral("⌃ Z"),
                 Hotkey{'Z', AXModifier::Control | AXModifier::NoCommand, 0, 'Z', 0, 0}))
        ->press();
    // A named key keeps its own code whatever the layout (F5 is macOS key 96).
    row(supplied(QStringLiteral("Reload"), QStringLiteral("⇧ F5"),
                 Hotkey{0, AXModifier::Shift | AXModifier::NoCommand, 96, 0, 96, 0}))
        ->press();
    // A range is only shown: nothing to type, nothing counted.
    row(supplied(QStringLiteral("Switch to Tab"), QStringLiteral("⌥ 1…9"), std::nullopt))->press();

    using Post = fake::FakeKeySender::Post;
    EXPECT_EQ(keySender.posts(), (QList<Post>{{16, EventFlag::Control}, {96, EventFlag::Shift}}));
    EXPECT_TRUE(accessibility.presses().isEmpty());
    EXPECT_EQ(hotkeyRows(EDITOR),
              (QStringList{QStringLiteral("Reload:0:0:1"), QStringLiteral("Undo:0:0:1")}));

    // Not in front: its window is brought forward and the key follows.
    workspace.setFrontmostApplication(std::nullopt);
    workspace.addRunningApplication(editor);
    row(supplied(QStringLiteral("Undo"), QStringLiteral("⌃ Z"),
                 Hotkey{'Z', AXModifier::Control | AXModifier::NoCommand, 0, 'Z', 0, 0}))
        ->press();
    EXPECT_EQ(activator.requests(), QList<RunningApplication>{editor});
    EXPECT_EQ(keySender.posts().size(), 2);
    timers.advance(std::chrono::milliseconds(ACTIVATION_DELAY_MS));
    EXPECT_EQ(keySender.posts().size(), 3);
}
