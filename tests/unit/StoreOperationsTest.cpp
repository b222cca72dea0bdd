#include "platform/KeyInput.h"
#include "platform/fake/FakeApplicationDirectory.h"
#include "store/AppIcon.h"
#include "store/ElementKey.h"
#include "store/ManualHotkey.h"
#include "support/StoreTestSupport.h"

#include <gtest/gtest.h>

using tavlen::CustomHotkeyRow;
using tavlen::HotkeyState;
using tavlen::KeyInput;
using tavlen::StoreWrite;
using tavlen::test::StoreTestSupport;
using Outcome = tavlen::StoreWrite::Outcome;
namespace EventFlag = tavlen::EventFlag;

namespace {

const QString SAVE_K_KEY = QStringLiteral("424e9313912af8e3046a4d902db84cc24fd875be96637fe0bad761e3587cf3bc");
const QString UUID_A = QStringLiteral("6F1C3F7E-3C4B-4B8E-9A77-0C1D2E3F4A5B");
const QString UUID_B = QStringLiteral("0A9B8C7D-6E5F-4A3B-8C2D-1E0F9A8B7C6D");

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

TEST(StoreOperations, EachOperationSendsItsStatements)
{
    StoreTestSupport t;
    auto& store = t.open();
    const auto sent = [&t](auto&& operation) {
        t.statements.clear();
        operation();
        return t.statements;
    };
    const QString countApps = s(R"(SELECT count(*) FROM "Apps" WHERE ("identifier" = ?))");
    const QString countHotkeys =
        s(R"(SELECT count(*) FROM "Hotkeys" WHERE ("app_id" = ?) AND ("value" = ?))");
    const QString countByUuid =
        s(R"(SELECT count(*) FROM "CustomHotkeys" WHERE ("app_id" = ?) AND ("uuid" = ?))");
    const QString countByTitle =
        s(R"(SELECT count(*) FROM "CustomHotkeys" WHERE ("app_id" = ?) AND ("title" = ?))");
    const QString insertCustom = s(R"(INSERT INTO "CustomHotkeys" ("app_id", "uuid", "title", "value", )"
                                   R"("raw_value", "raw_modifier", "is_enabled", "is_bookmarked") )"
                                   R"(VALUES (?, ?, ?, ?, ?, ?, ?, ?))");
    const QString app = s("org.gnome.gedit");

    EXPECT_EQ(sent([&] { store.saveApp(app, s("Text Editor")); }),
              (QStringList{countApps, s(R"(INSERT INTO "Apps" ("identifier", "title") VALUES (?, ?))")}));
    EXPECT_EQ(sent([&] { store.saveApp(app, s("Gedit")); }),
              (QStringList{countApps, s(R"(UPDATE "Apps" SET "title" = ? WHERE ("identifier" = ?))")}));
    EXPECT_EQ(sent([&] { store.getApps(); }),
              QStringList{s(R"(SELECT * FROM "Apps" WHERE ("identifier" != ?) ORDER BY "title" ASC)")});

    EXPECT_EQ(
        sent([&] { store.saveHotkeyState(app, s("Save"), s("K"), true, false); }),
        (QStringList{countHotkeys, s(R"(INSERT INTO "Hotkeys" ("app_id", "title", "value", "is_bookmarked", )"
                                     R"("is_hidden") VALUES (?, ?, ?, ?, ?))")}));
    EXPECT_EQ(sent([&] { store.saveHotkeyState(app, s("Save"), s("K"), false, false); }),
              (QStringList{countHotkeys, s(R"(UPDATE "Hotkeys" SET "is_bookmarked" = ?, "is_hidden" = ? )"
                                           R"(WHERE ("app_id" = ?) AND ("value" = ?))")}));
    EXPECT_EQ(sent([&] { store.getHotkeyStates(app); }),
              QStringList{s(R"(SELECT * FROM "Hotkeys" WHERE ("app_id" = ?))")});
    EXPECT_EQ(sent([&] { store.incrementHotkeyUsage(app, s("Open"), s("O")); }),
              (QStringList{
                  countHotkeys,
                  s(R"(INSERT INTO "Hotkeys" ("app_id", "title", "value", "used") VALUES (?, ?, ?, ?))")}));
    EXPECT_EQ(
        sent([&] { store.incrementHotkeyUsage(app, s("Open"), s("O")); }),
        (QStringList{countHotkeys, s("UPDATE Hotkeys SET used = used + 1 WHERE app_id = ? AND value = ?")}));

    EXPECT_EQ(sent([&] { store.getCustomHotkeys(app, true); }),
              QStringList{s(R"(SELECT * FROM "CustomHotkeys" WHERE ("app_id" = ?))")});
    EXPECT_EQ(sent([&] { store.getCustomHotkeys(app, false); }),
              QStringList{s(R"(SELECT * FROM "CustomHotkeys" WHERE ("app_id" = ?) AND ("is_enabled" = ?))")});
    EXPECT_EQ(sent([&] { store.saveCustomHotkey(app, UUID_A, s("Mail"), s(" M"), 46, 0, true, false); }),
              (QStringList{countByUuid, insertCustom}));
    EXPECT_EQ(sent([&] { store.saveCustomHotkey(app, UUID_A, s("Mail"), s(" M"), 46, 0, true, true); }),
              (QStringList{countByUuid,
                           s(R"(UPDATE "CustomHotkeys" SET "title" = ?, "value" = ?, "raw_value" = ?, )"
                             R"("raw_modifier" = ?, "is_enabled" = ?, "is_bookmarked" = ? )"
                             R"(WHERE ("app_id" = ?) AND ("uuid" = ?))")}));
    EXPECT_EQ(sent([&] {
                  store.importCustomHotkey(app, s("Print"), s("⌘ P"), 35, EventFlag::Command, true, false);
              }),
              (QStringList{countByTitle, insertCustom}));
    EXPECT_EQ(
        sent([&] {
            store.importCustomHotkey(app, s("Print"), s("⌘ P"), 35, EventFlag::Command, true, false);
        }),
        (QStringList{countByTitle,
                     s(R"(UPDATE "CustomHotkeys" SET "value" = ?, "raw_value" = ?, "raw_modifier" = ?, )"
                       R"("is_enabled" = ?, "is_bookmarked" = ? WHERE ("app_id" = ?) AND ("title" = ?))")}));
    EXPECT_EQ(
        sent([&] { store.saveCustomHotkeyState(app, UUID_A, false, false); }),
        (QStringList{countByUuid, s(R"(UPDATE "CustomHotkeys" SET "is_enabled" = ?, "is_bookmarked" = ? )"
                                    R"(WHERE ("app_id" = ?) AND ("uuid" = ?))")}));
    EXPECT_EQ(sent([&] { store.incrementCustomHotkeyUsage(app, UUID_A); }),
              (QStringList{countByUuid,
                           s("UPDATE CustomHotkeys SET used = used + 1 WHERE app_id = ? AND uuid = ?")}));
    EXPECT_EQ(sent([&] { store.deleteCustomHotkey(app, UUID_A); }),
              (QStringList{countByUuid,
                           s(R"(DELETE FROM "CustomHotkeys" WHERE ("app_id" = ?) AND ("uuid" = ?))")}));
    // Without a matching row these three stop after counting.
    for (const auto& operation : std::initializer_list<std::function<void()>>{
             [&] { store.deleteCustomHotkey(app, UUID_A); },
             [&] { store.saveCustomHotkeyState(app, UUID_A, true, true); },
             [&] { store.incrementCustomHotkeyUsage(app, UUID_A); }})
        EXPECT_EQ(sent(operation), QStringList{countByUuid});
}

TEST(StoreOperations, AppsAreUpdatedInPlaceListedByTitleAndNeverGlobal)
{
    StoreTestSupport t;
    auto& store = t.open();
    store.saveApp(s("org.gnome.gedit"), s("Text Editor"));
    store.saveApp(s("org.gnome.gedit"), s("gedit"));
    store.saveApp(s("global"), s("Global Custom Shortcuts"));
    store.saveApp(s("org.kde.kate"), s("Kate"));
    store.saveApp(s("org.mozilla.firefox"), s("Ärger"));

    EXPECT_EQ(t.number(s("SELECT count(*) FROM Apps WHERE identifier = 'org.gnome.gedit'")), 1);
    // Byte order of the UTF-8 text: capitals, then small letters, then everything beyond ASCII.
    EXPECT_EQ(store.getApps(), (QList<std::pair<QString, QString>>{
                                   {s("org.kde.kate"), s("Kate")},
                                   {s("org.gnome.gedit"), s("gedit")},
                                   {s("org.mozilla.firefox"), s("Ärger")},
                               }));
}

TEST(StoreOperations, ElementStateIsKeyedByTitleAndShortcutAndCountsUses)
{
    StoreTestSupport t;
    auto& store = t.open();
    const QString app = s("org.gnome.gedit");

    EXPECT_EQ(tavlen::elementKey(s("Save"), s("K")), SAVE_K_KEY);
    EXPECT_EQ(tavlen::sha256Hex(QString()),
              s("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));

    store.incrementHotkeyUsage(app, s("Save"), s("K"));
    EXPECT_EQ(
        t.column(s("SELECT used || ' ' || is_hidden || ' ' || is_bookmarked || ' ' || title FROM Hotkeys")),
        QStringList{s("1 0 0 Save")});
    store.incrementHotkeyUsage(app, s("Save"), s("K"));
    store.saveHotkeyState(app, s("Save"), s("K"), true, true);
    store.saveHotkeyState(app, s("Save"), s("K"), false, true);
    EXPECT_EQ(t.column(s("SELECT used || ' ' || value FROM Hotkeys")), QStringList{s("2 ") + SAVE_K_KEY});
    store.saveHotkeyState(s("global"), s("Quit"), s("⌘ Q"), false, true);

    EXPECT_EQ(store.getHotkeyStates(app), (QList<HotkeyState>{{SAVE_K_KEY, false, true}}));
    EXPECT_EQ(store.getHotkeyStates(s("global")),
              (QList<HotkeyState>{{tavlen::elementKey(s("Quit"), s("⌘ Q")), false, true}}));
    EXPECT_TRUE(store.getHotkeyStates(s("org.kde.kate")).isEmpty());
}

TEST(StoreOperations, UseCountsWorkForIdentifiersWithApostrophes)
{
    StoreTestSupport t;
    auto& store = t.open();
    const QString app = s("it's-a-window-class' OR '1'='1");
    store.incrementHotkeyUsage(s("other"), s("Save"), s("K"));

    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(store.incrementHotkeyUsage(app, s("Save"), s("K")).failed());
    EXPECT_EQ(store.saveCustomHotkey(app, UUID_A, s("Mail"), s(" M"), 46, 0, true, false).outcome,
              Outcome::Written);
    EXPECT_EQ(store.incrementCustomHotkeyUsage(app, UUID_A).outcome, Outcome::Written);

    EXPECT_EQ(t.column(s("SELECT app_id || ':' || used FROM Hotkeys ORDER BY app_id")),
              (QStringList{app + s(":3"), s("other:1")}));
    EXPECT_EQ(t.number(s("SELECT used FROM CustomHotkeys")), 1);
}

TEST(StoreOperations, CustomShortcutsRoundTripAndFilterDisabled)
{
    StoreTestSupport t;
    auto& store = t.open();
    const QString app = s("org.gnome.gedit");
    store.saveCustomHotkey(app, UUID_A, s("Mail 🌐 \"x\""), s("⇧⌘ M"), 46,
                           EventFlag::Command | EventFlag::Shift | 0x1, true, true);
    store.saveCustomHotkey(app, UUID_B, s("Nothing"), s("Record Shortcut"), -1, 0x7777, false, false);
    store.saveCustomHotkey(s("global"), s("11111111-2222-4333-8444-555555555555"), s("Other"), s(" A"), 0, 0,
                           true, false);

    KeyInput mail;
    mail.keyCode = 46;
    mail.isCommand = true;
    mail.isShift = true;
    const CustomHotkeyRow mailRow{UUID_A, s("Mail 🌐 \"x\""), s("⇧⌘ M"), mail, true, true};
    const CustomHotkeyRow nothingRow{UUID_B, s("Nothing"), s("Record Shortcut"), std::nullopt, false, false};

    EXPECT_EQ(store.getCustomHotkeys(app, true), (QList<CustomHotkeyRow>{mailRow, nothingRow}));
    EXPECT_EQ(store.getCustomHotkeys(app, false), QList<CustomHotkeyRow>{mailRow});

    const auto manual = tavlen::ManualHotkey::fromRow(mailRow);
    ASSERT_TRUE(manual);
    EXPECT_EQ(manual->uuidText(), UUID_A);
    EXPECT_EQ(manual->trigger, s("⇧⌘ M"));
    EXPECT_TRUE(manual->isActive);
}

TEST(StoreOperations, ImportMatchesByTitleAndEditorByIdentity)
{
    StoreTestSupport t;
    auto& store = t.open();
    const QString app = s("org.gnome.gedit");
    store.saveCustomHotkey(app, UUID_A, s("Mail"), s(" M"), 46, 0, false, true);
    store.saveCustomHotkey(app, UUID_B, s("Print"), s(" P"), 35, 0, true, false);

    EXPECT_EQ(store.importCustomHotkey(app, s("Mail"), s("⌘ N"), 45, EventFlag::Command, true, false).outcome,
              Outcome::Written);
    EXPECT_EQ(t.column(s("SELECT uuid || ' ' || value || ' ' || raw_value || ' ' || raw_modifier || ' ' || "
                         "is_enabled || is_bookmarked FROM CustomHotkeys WHERE title = 'Mail'")),
              QStringList{UUID_A + s(" ⌘ N 45 1048576 10")});

    store.importCustomHotkey(app, s("New"), s(" X"), 7, 0, true, false);
    const QString freshUuid = t.column(s("SELECT uuid FROM CustomHotkeys WHERE title = 'New'")).value(0);
    EXPECT_EQ(freshUuid, freshUuid.toUpper());
    EXPECT_EQ(freshUuid.size(), 36);
    EXPECT_NE(freshUuid, UUID_A);

    EXPECT_EQ(store.saveCustomHotkey(app, UUID_A, s("Letter"), s("⌘ N"), 45, EventFlag::Command, true, false)
                  .outcome,
              Outcome::Written);
    const StoreWrite clash =
        store.saveCustomHotkey(app, UUID_A, s("Print"), s("⌘ N"), 45, EventFlag::Command, true, false);
    EXPECT_TRUE(clash.failed());
    EXPECT_TRUE(clash.error.contains(s("UNIQUE constraint failed"))) << clash.error.toStdString();
    EXPECT_EQ(t.column(s("SELECT title FROM CustomHotkeys ORDER BY title")),
              (QStringList{s("Letter"), s("New"), s("Print")}));
}

TEST(StoreOperations, UnknownIdentityChangesNothing)
{
    StoreTestSupport t;
    auto& store = t.open();
    store.saveCustomHotkey(s("org.a"), UUID_A, s("Mail"), s(" M"), 46, 0, true, false);
    const QStringList before =
        t.column(s("SELECT app_id || uuid || is_enabled || is_bookmarked || used FROM CustomHotkeys"));

    // The same uuid under another application is another identity.
    EXPECT_EQ(store.deleteCustomHotkey(s("org.b"), UUID_A).outcome, Outcome::Unchanged);
    EXPECT_EQ(store.saveCustomHotkeyState(s("org.a"), UUID_B, false, true).outcome, Outcome::Unchanged);
    EXPECT_EQ(store.incrementCustomHotkeyUsage(s("org.a"), UUID_B).outcome, Outcome::Unchanged);

    EXPECT_EQ(t.column(s("SELECT app_id || uuid || is_enabled || is_bookmarked || used FROM CustomHotkeys")),
              before);
    EXPECT_EQ(store.deleteCustomHotkey(s("org.a"), UUID_A).outcome, Outcome::Written);
    EXPECT_EQ(t.number(s("SELECT count(*) FROM CustomHotkeys")), 0);
}

TEST(StoreOperations, RowsEditedByHandIntoShapesNeverWrittenAreSkipped)
{
    StoreTestSupport t;
    auto& store = t.open();
    const QString good = UUID_A;
    t.exec(
        s("INSERT INTO CustomHotkeys (app_id, uuid, title, value, raw_value, raw_modifier, is_enabled) VALUES"
          " ('app', '") +
        good +
        s("', 'Good', ' A', 0, 1048576, 1),"
          " ('app', 'A0000000-0000-0000-0000-000000000001', 'Too big', '', 70000, 0, 1),"
          " ('app', 'A0000000-0000-0000-0000-000000000002', 'Below -1', '', -2, 0, 1),"
          " ('app', 'A0000000-0000-0000-0000-000000000003', 'Negative mask', '', 4, -1, 1),"
          " ('app', 'not-a-uuid', 'Bad uuid', '', 4, 0, 1),"
          " ('app', '{A0000000-0000-0000-0000-000000000005}', 'Braced uuid', '', 4, 0, 1),"
          " ('app', 'A0000000-0000-0000-0000-000000000006', X'00FF', '', 4, 0, 1),"
          " ('app', 'A0000000-0000-0000-0000-000000000007', 'Text code', '', 'abc', 0, 1),"
          " ('app', 'A0000000-0000-0000-0000-000000000008', 'Real flag', '', 4, 0, 0.5),"
          " ('app', 'A0000000-0000-0000-0000-000000000009', 'Real code', '', 4.5, 0, 1),"
          " ('app', 'A0000000-0000-0000-0000-00000000000A', 'No key', 'Record Shortcut', -1, 'junk', 1);"
          "INSERT INTO Hotkeys (app_id, title, value, is_hidden, is_bookmarked) VALUES"
          " ('app', 'Fine', 'k1', 1, 0), ('app', 'Blob', X'6B32', 0, 0), ('app', 'Text flag', 'k3', 'yes', "
          "0);"
          "INSERT INTO Apps VALUES ('a.blob', X'41'), ('a.fine', 'Fine');"));

    QStringList titles;
    for (const CustomHotkeyRow& row : store.getCustomHotkeys(s("app"), true))
        titles.append(row.title);
    EXPECT_EQ(titles, (QStringList{s("Good"), s("No key")}));
    EXPECT_EQ(store.getHotkeyStates(s("app")), (QList<HotkeyState>{{s("k1"), false, true}}));
    EXPECT_EQ(store.getApps(), (QList<std::pair<QString, QString>>{{s("a.fine"), s("Fine")}}));
}

TEST(StoreOperations, TextSurvivesByteForByte)
{
    StoreTestSupport t;
    auto& store = t.open();
    const QString title = s("Zeile\nmit \"Quote\", 'Apostroph', Ümlaut und 🌐") + QChar(0) + s("nach NUL");
    store.saveApp(s("org.example.app"), title);
    store.saveCustomHotkey(s("org.example.app"), UUID_A, title, title, 0, 0, true, false);

    EXPECT_EQ(store.getApps().value(0).second, title);
    const auto rows = store.getCustomHotkeys(s("org.example.app"), true);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.first().title, title);
    EXPECT_EQ(rows.first().value, title);
}

TEST(StoreOperations, FailuresGiveEmptyListsAndFailedWrites)
{
    StoreTestSupport t;
    auto& store = t.open();
    store.saveApp(s("org.a"), s("A"));
    t.exec(s("DROP TABLE Apps; DROP TABLE CustomHotkeys;"));

    EXPECT_TRUE(store.getApps().isEmpty());
    EXPECT_TRUE(store.getCustomHotkeys(s("org.a"), true).isEmpty());
    const StoreWrite write = store.saveApp(s("org.a"), s("A"));
    EXPECT_TRUE(write.failed());
    EXPECT_EQ(write.error, s("no such table: Apps"));
    EXPECT_TRUE(store.importCustomHotkey(s("org.a"), s("T"), s(" A"), 0, 0, true, false).failed());
    EXPECT_FALSE(store.saveHotkeyState(s("org.a"), s("Save"), s("K"), false, false).failed());
}

TEST(StoreOperations, AppIconComesFromTheApplicationDirectory)
{
    tavlen::fake::FakeApplicationDirectory apps;
    apps.install({s("org.gnome.gedit"), s("Text Editor"),
                  s("/usr/share/applications/org.gnome.gedit.desktop"), s("org.gnome.gedit")});
    apps.install({s("bare"), s("Bare"), s("/usr/share/applications/bare.desktop"), QString()});

    EXPECT_EQ(tavlen::appIcon(s("org.gnome.gedit"), apps), s("org.gnome.gedit"));
    EXPECT_EQ(tavlen::appIcon(s("bare"), apps), s("application-x-executable"));
    EXPECT_EQ(tavlen::appIcon(s("global"), apps), std::nullopt);
    EXPECT_EQ(tavlen::appIcon(s("org.kde.kate"), apps), std::nullopt);
}
