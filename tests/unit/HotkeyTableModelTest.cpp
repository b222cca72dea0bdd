#include "settings/HotkeyTableModel.h"

#include "platform/NotificationNames.h"
#include "support/SheetRowFixture.h"

#include <gtest/gtest.h>

using namespace tavlen;

namespace {

const QString GLOBAL = QStringLiteral("global");
const QString EDITOR = QStringLiteral("org.example.Editor");
const QString UUID_A = QStringLiteral("0A3D1E27-5B8C-4D2F-9E61-7C4B8A2F1D30");
const QString UUID_B = QStringLiteral("1B4E2F38-6C9D-4E30-8F72-8D5C9B3E2E41");

KeyInput commandShift(quint16 code)
{
    KeyInput input;
    input.keyCode = code;
    input.isCommand = true;
    input.isShift = true;
    return input;
}

class HotkeyTableModelTest : public test::SheetRowFixture {
protected:
    HotkeyTableModelTest()
    {
        for (const QLatin1String name : {NotificationNames::pauseApp, NotificationNames::resumeApp}) {
            notifications.addObserver(name, [this](const QString& posted, const QVariantMap&) {
                // What the controller would see: whether it is blocked when the request arrives.
                posts.append(posted +
                             (settings.blockedMonitoring() ? QStringLiteral(" (blocked)") : QString()));
            });
        }
    }

    std::unique_ptr<HotkeyTableModel> model(const QString& appId = GLOBAL)
    {
        auto table = std::make_unique<HotkeyTableModel>(store, settings, keyboard, notifications);
        if (appId != GLOBAL)
            table->setAppSelected(appId);
        return table;
    }

    // "title|value|raw_value|raw_modifier|enabled|bookmarked" of every custom shortcut of an app.
    QStringList stored(const QString& appId = GLOBAL) const
    {
        return storeSupport.column(
            QStringLiteral(
                R"(SELECT "title" || '|' || "value" || '|' || "raw_value" || '|' || "raw_modifier" )"
                R"(|| '|' || "is_enabled" || '|' || "is_bookmarked" FROM "CustomHotkeys" )"
                R"(WHERE "app_id" = '%1' ORDER BY rowid)")
                .arg(appId));
    }

    QStringList titles(const HotkeyTableModel& table) const
    {
        QStringList list;
        for (const ManualHotkey& hotkey : table.hotkeys())
            list.append(hotkey.title);
        return list;
    }

    QStringList posts;
};

TEST_F(HotkeyTableModelTest, ANewRowAfterADeletionTakesAFreeTitleSoThatItIsStored)
{
    auto table = model();
    table->addHotkey();
    table->addHotkey();
    table->deleteHotkey(0);
    // Two rows would name the new one Hotkey 1, which the remaining row still is.
    const int row = table->addHotkey();
    EXPECT_EQ(titles(*table), (QStringList{"Hotkey 1", "Hotkey 2"}));
    table->closeRecorder(true, commandShift(40)); // no recorder open: nothing happens
    ASSERT_TRUE(table->openRecorder(row));
    table->closeRecorder(true, commandShift(40));
    EXPECT_EQ(stored(), (QStringList{"Hotkey 1|Record Shortcut|-1|-1|0|0", "Hotkey 2|⇧⌘ K|40|1179648|0|0"}));
}

TEST_F(HotkeyTableModelTest, RenameWritesEveryRowButRefusesATitleThatIsTaken)
{
    auto table = model(EDITOR);
    table->addHotkey();
    table->addHotkey();
    QStringList refused;
    QObject::connect(
        table.get(), &HotkeyTableModel::renameRefused,
        [&refused](int row, const QString& title) { refused.append(QString::number(row) + title); });

    EXPECT_TRUE(table->setData(table->index(0, 0), QStringLiteral("Open Terminal")));
    EXPECT_EQ(table->rename(0, QStringLiteral("Open Terminal")), HotkeyTableModel::Rename::Unchanged);
    EXPECT_EQ(table->rename(1, QStringLiteral("Open Terminal")), HotkeyTableModel::Rename::DuplicateTitle);
    EXPECT_FALSE(table->setData(table->index(1, 0), QStringLiteral("Open Terminal")));
    EXPECT_EQ(refused, (QStringList{"1Open Terminal", "1Open Terminal"}));
    EXPECT_EQ(titles(*table), (QStringList{"Open Terminal", "Hotkey 1"}));

    // The refused row stays whole in the store, so what is recorded for it later is kept.
    ASSERT_TRUE(table->openRecorder(1));
    table->closeRecorder(true, commandShift(35));
    EXPECT_EQ(stored(EDITOR),
              (QStringList{"Open Terminal|Record Shortcut|-1|-1|0|0", "Hotkey 1|⇧⌘ P|35|1179648|0|0"}));
    EXPECT_EQ(table->rename(5, QStringLiteral("x")), HotkeyTableModel::Rename::NoSuchRow);
}

TEST_F(HotkeyTableModelTest, TogglesWriteTheirRowAndHeaderClicksSwitchTheWholeColumn)
{
    auto table = model();
    for (int i = 0; i < 3; ++i)
        table->addHotkey();
    EXPECT_TRUE(
        table->setData(table->index(0, HotkeyTableModel::IsEnabledColumn), Qt::Checked, Qt::CheckStateRole));
    table->setBookmarked(2, true);
    EXPECT_EQ(stored(),
              (QStringList{"Hotkey 0|Record Shortcut|-1|-1|1|0", "Hotkey 1|Record Shortcut|-1|-1|0|0",
                           "Hotkey 2|Record Shortcut|-1|-1|0|1"}));

    const auto enabled = [this] {
        return storeSupport.column(
            QStringLiteral(R"(SELECT "is_enabled" FROM "CustomHotkeys" ORDER BY rowid)"));
    };
    table->headerClicked(HotkeyTableModel::IsEnabledColumn);
    EXPECT_EQ(enabled(), (QStringList{"0", "0", "0"}));
    table->headerClicked(HotkeyTableModel::IsEnabledColumn);
    EXPECT_EQ(enabled(), (QStringList{"1", "1", "1"}));
    EXPECT_TRUE(table->hotkeys().at(1).isActive);

    table->headerClicked(HotkeyTableModel::IsBookmarkedColumn);
    EXPECT_EQ(storeSupport.number(QStringLiteral(R"(SELECT sum("is_bookmarked") FROM "CustomHotkeys")")), 0);
    table->headerClicked(HotkeyTableModel::TitleColumn);
    table->headerClicked(HotkeyTableModel::ShortcutColumn);
    EXPECT_EQ(storeSupport.number(QStringLiteral(R"(SELECT sum("is_bookmarked") FROM "CustomHotkeys")")), 0);
    EXPECT_EQ(enabled(), (QStringList{"1", "1", "1"}));

    auto empty = model(EDITOR);
    empty->headerClicked(HotkeyTableModel::IsEnabledColumn);
    EXPECT_EQ(empty->rowCount(), 0);
}

TEST_F(HotkeyTableModelTest, StoredRowsShowTheirKeysInTheCurrentLayoutOrTheirStoredText)
{
    store.saveCustomHotkey(EDITOR, UUID_A, QStringLiteral("Undo"), QStringLiteral("old text"), 16,
                           EventFlag::Command, true, true);
    store.saveCustomHotkey(EDITOR, UUID_B, QStringLiteral("Later"), QStringLiteral("Record Shortcut"), -1, -1,
                           false, false);
    // A uuid the editor never writes cannot be saved or deleted by identity: left out.
    storeSupport.exec(QStringLiteral(
        R"(INSERT INTO "CustomHotkeys" ("app_id", "uuid", "title", "value") VALUES ('org.example.Editor', 'x', 'Odd', 'v'))"));
    keyboard.setCurrent(fake::FakeKeyboardLayout::Layout::German);
    settings.setShowLocalizedCustomShortcuts(false);

    auto table = model(EDITOR);
    // The store's order, whatever it is, with each row's own fields.
    QStringList expectedOrder;
    for (const CustomHotkeyRow& row : store.getCustomHotkeys(EDITOR, true))
        expectedOrder.append(row.title);
    expectedOrder.removeAll(QStringLiteral("Odd"));
    ASSERT_EQ(titles(*table), expectedOrder);
    const auto hotkey = [&table](const QString& title) {
        for (const ManualHotkey& candidate : table->hotkeys()) {
            if (candidate.title == title)
                return candidate;
        }
        return ManualHotkey{};
    };
    EXPECT_EQ(hotkey(QStringLiteral("Undo")).trigger, QStringLiteral("⌘ Y"));
    EXPECT_EQ(hotkey(QStringLiteral("Later")).trigger, QStringLiteral("Record Shortcut"));
    EXPECT_FALSE(hotkey(QStringLiteral("Later")).keys.has_value());

    settings.setShowLocalizedCustomShortcuts(true);
    table->reload();
    EXPECT_EQ(hotkey(QStringLiteral("Undo")).trigger, QStringLiteral("⌘ Z"));
    EXPECT_EQ(hotkey(QStringLiteral("Undo")).uuidText(), UUID_A);
    EXPECT_TRUE(hotkey(QStringLiteral("Undo")).isBookmarked);

    table->setAppSelected(GLOBAL);
    EXPECT_EQ(table->rowCount(), 0);
}

TEST_F(HotkeyTableModelTest, TheRecorderPausesThenBlocksAndUnblocksThenResumes)
{
    auto table = model();
    table->addHotkey();
    EXPECT_FALSE(table->openRecorder(3));
    ASSERT_TRUE(table->openRecorder(0));
    EXPECT_FALSE(table->openRecorder(0)) << "one recorder at a time";
    EXPECT_TRUE(settings.blockedMonitoring());
    EXPECT_EQ(posts, QStringList{"PauseAppNotification"});

    table->closeRecorder(false, std::nullopt);
    EXPECT_FALSE(settings.blockedMonitoring());
    EXPECT_EQ(posts, (QStringList{"PauseAppNotification", "ResumeAppNotification"}));
    EXPECT_EQ(stored(), QStringList{"Hotkey 0|Record Shortcut|-1|-1|0|0"});
    EXPECT_FALSE(table->isRecorderOpen());
}

TEST_F(HotkeyTableModelTest, AnAppliedCombinationIsStoredWithItsCodeAndFlags)
{
    auto table = model();
    table->addHotkey();
    ASSERT_TRUE(table->openRecorder(0));
    table->closeRecorder(true, commandShift(40));
    EXPECT_EQ(stored(), QStringList{"Hotkey 0|⇧⌘ K|40|1179648|0|0"});
    EXPECT_EQ(table->index(0, HotkeyTableModel::ShortcutColumn).data().toString(), QStringLiteral("⇧⌘ K"));
    EXPECT_EQ(table->hotkeys().at(0).keys, commandShift(40));
}

} // namespace
