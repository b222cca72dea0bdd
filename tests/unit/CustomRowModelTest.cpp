#include "sheet/CustomRowModel.h"

#include "support/SheetRowFixture.h"

#include <gtest/gtest.h>

using namespace tavlen;
using namespace std::chrono_literals;
using Post = fake::FakeKeySender::Post;
using Kind = ContextMenuEntry::Kind;

namespace {

const QString EDITOR = QStringLiteral("org.example.Editor");
const RunningApplication editorApp{EDITOR, QStringLiteral("Editor"), 100};
const RunningApplication terminalApp{QStringLiteral("org.example.Terminal"), QStringLiteral("Terminal"), 200};

class CustomRowModelTest : public test::SheetRowFixture {
protected:
    // ⌃⌘ K (macOS key code 40), stored for `appId` so that use counts and flags land in a row.
    ManualHotkey shortcut(const QString& appId, std::optional<quint16> keyCode = 40)
    {
        ManualHotkey item;
        item.title = QStringLiteral("Kill Line");
        item.trigger = QStringLiteral("Kill Line");
        KeyInput keys;
        keys.keyCode = keyCode;
        keys.isCommand = true;
        keys.isControl = true;
        item.keys = keys;
        store.saveApp(appId, appId);
        store.saveCustomHotkey(appId, item.uuidText(), item.title, item.trigger,
                               keyCode ? qint64(*keyCode) : qint64(-1),
                               EventFlag::Command | EventFlag::Control, true, false);
        return item;
    }

    std::unique_ptr<CustomRowModel> row(const QString& appId, ManualHotkey item, bool bookmarked = false,
                                        bool hidden = false)
    {
        const QString title =
            appId == QLatin1String("global") ? QStringLiteral("Global") : QStringLiteral("Editor");
        return std::make_unique<CustomRowModel>(title, appId, std::move(item), bookmarked, hidden,
                                                services());
    }

    // "used:enabled:bookmarked" of the one stored custom shortcut of `appId`.
    QString stored(const QString& appId) const
    {
        return storeSupport
            .column(QStringLiteral(R"(SELECT "used" || ':' || "is_enabled" || ':' || "is_bookmarked" )"
                                   R"(FROM "CustomHotkeys" WHERE "app_id" = '%1')")
                        .arg(appId))
            .value(0);
    }

    const Post ctrlCmdK{40, EventFlag::Command | EventFlag::Control};
};

TEST_F(CustomRowModelTest, GlobalShortcutGoesToWhateverIsFrontmostAtOnce)
{
    workspace.setFrontmostApplication(terminalApp);
    row(QStringLiteral("global"), shortcut(QStringLiteral("global")))->press();

    EXPECT_EQ(keySender.posts(), QList<Post>{ctrlCmdK});
    EXPECT_TRUE(activator.requests().isEmpty());
    EXPECT_EQ(timers.pendingCount(), 0);
    EXPECT_EQ(stored(QStringLiteral("global")), QStringLiteral("1:1:0"));
}

TEST_F(CustomRowModelTest, FrontmostApplicationGetsTheKeyAtOnce)
{
    workspace.setFrontmostApplication(editorApp);
    row(EDITOR, shortcut(EDITOR))->press();
    EXPECT_EQ(keySender.posts(), QList<Post>{ctrlCmdK});
    EXPECT_TRUE(activator.requests().isEmpty());
}

TEST_F(CustomRowModelTest, BackgroundApplicationIsActivatedAndGetsTheKeyHalfASecondLater)
{
    workspace.addRunningApplication(editorApp);
    workspace.addRunningApplication({EDITOR, QStringLiteral("Editor"), 101});
    workspace.setFrontmostApplication(terminalApp);
    auto model = row(EDITOR, shortcut(EDITOR));
    model->press();

    EXPECT_EQ(activator.requests(), QList<RunningApplication>{editorApp}); // the first one running
    timers.advance(490ms);
    EXPECT_TRUE(keySender.posts().isEmpty());
    // The row may be gone by then (a new sheet); the key still goes out.
    model.reset();
    timers.advance(10ms);
    EXPECT_EQ(keySender.posts(), QList<Post>{ctrlCmdK});
    EXPECT_EQ(stored(EDITOR), QStringLiteral("1:1:0"));
}

TEST_F(CustomRowModelTest, NothingIsSentWhenActivationIsRefusedOrNothingRuns)
{
    workspace.setFrontmostApplication(terminalApp);
    auto model = row(EDITOR, shortcut(EDITOR));
    model->press(); // not running
    EXPECT_TRUE(activator.requests().isEmpty());

    workspace.addRunningApplication(editorApp);
    activator.setSucceeds(false);
    model->press();
    EXPECT_EQ(activator.requests().size(), 1);
    timers.advance(1s);
    EXPECT_TRUE(keySender.posts().isEmpty());
    EXPECT_EQ(timers.pendingCount(), 0);
    EXPECT_EQ(stored(EDITOR), QStringLiteral("2:1:0")); // both uses counted
}

TEST_F(CustomRowModelTest, ShortcutWithoutKeyCodeSendsNothingButCountsTheUse)
{
    auto model = row(QStringLiteral("global"), shortcut(QStringLiteral("global"), std::nullopt));
    EXPECT_EQ(model->keyText(), QString());
    EXPECT_EQ(model->textStyle(), RowTextStyle::gray());
    model->press();
    EXPECT_TRUE(keySender.posts().isEmpty());
    EXPECT_EQ(stored(QStringLiteral("global")), QStringLiteral("1:1:0"));

    ManualHotkey unrecorded = shortcut(EDITOR);
    unrecorded.keys.reset();
    workspace.setFrontmostApplication(editorApp);
    row(EDITOR, unrecorded)->press();
    EXPECT_TRUE(keySender.posts().isEmpty());
}

TEST_F(CustomRowModelTest, HidingAndBookmarkingExcludeEachOtherAndStoreEnabledTheOtherWayRound)
{
    auto model = row(EDITOR, shortcut(EDITOR), true, false);
    model->trigger(Kind::Hide);
    EXPECT_FALSE(model->bookmarked());
    EXPECT_TRUE(model->hidden());
    EXPECT_EQ(stored(EDITOR), QStringLiteral("0:0:0"));
    EXPECT_EQ(model->contextMenuEntries(),
              (QList<ContextMenuEntry>{{Kind::Show, QStringLiteral("Show"), true, QString()}}));

    model->toggleBookmark();
    EXPECT_TRUE(model->bookmarked());
    EXPECT_FALSE(model->hidden());
    EXPECT_EQ(stored(EDITOR), QStringLiteral("0:1:1"));
    EXPECT_EQ(model->contextMenuEntries().first().kind, Kind::Hide);
}

TEST_F(CustomRowModelTest, KeyTextAndStyleFollowTheLayoutSettingAndHiddenState)
{
    keyboard.setCurrent(fake::FakeKeyboardLayout::Layout::German);
    ManualHotkey item = shortcut(EDITOR, 16); // Y on US keyboards, Z on German ones
    item.keys->isFunction = true;
    auto model = row(EDITOR, item, false, true);

    settings.setShowLocalizedCustomShortcuts(false);
    EXPECT_EQ(model->keyText(), QStringLiteral("🌐⌃⌘ Y"));
    settings.setShowLocalizedCustomShortcuts(true);
    EXPECT_EQ(model->keyText(), QStringLiteral("🌐⌃⌘ Z"));
    EXPECT_EQ(model->textStyle(), RowTextStyle::hidden(0.5));
    model->toggleHidden();
    EXPECT_EQ(model->textStyle(), RowTextStyle::normal());

    auto empty = row(EDITOR, shortcut(QStringLiteral("global"), std::nullopt), false, true);
    EXPECT_EQ(empty->textStyle(), RowTextStyle::hidden(0.25));
}

} // namespace
