#include "store/ShortcutTransfer.h"
#include "platform/KeyInput.h"
#include "platform/MacKeys.h"
#include "platform/fake/FakeApplicationDirectory.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeKeyboardLayout.h"
#include "support/StoreTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

using tavlen::ExportRow;
using tavlen::fake::FakeKeyboardLayout;
using tavlen::test::StoreTestSupport;
namespace transfer = tavlen::transfer;
namespace EventFlag = tavlen::EventFlag;

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

QString uuid(int n)
{
    return QStringLiteral("A0000000-0000-4000-8000-%1").arg(n, 12, 10, QLatin1Char('0'));
}

// A store, the platform services an import needs, and an in-memory file system for the files.
struct Transfer {
    Transfer()
    {
        store.open();
        apps.install({s("org.gnome.gedit"), s("Text Editor"),
                      s("/usr/share/applications/org.gnome.gedit.desktop"), s("org.gnome.gedit")});
    }

    std::optional<QString> import(const QString& path, bool useCurrentLayout = false)
    {
        return transfer::importFile(path, *store.store, useCurrentLayout, files, keyboard, apps, clock);
    }
    std::optional<QString> importJson(const QByteArray& json, bool useCurrentLayout = false)
    {
        files.putFile(s("/in/shortcuts.tavlen"), json);
        return import(s("/in/shortcuts.tavlen"), useCurrentLayout);
    }
    // "title|value|raw_value|raw_modifier|enabled bookmarked" per custom shortcut of an app.
    QStringList rows(const QString& app) const
    {
        return store.column(
            s("SELECT title || '|' || value || '|' || raw_value || '|' || raw_modifier || '|' || "
              "is_enabled || is_bookmarked FROM CustomHotkeys WHERE app_id = '") +
            app + s("' ORDER BY title"));
    }
    QStringList appRows() const
    {
        return store.column(s("SELECT identifier || '=' || title FROM Apps ORDER BY identifier"));
    }

    StoreTestSupport store;
    tavlen::fake::FakeFileSystem files;
    FakeKeyboardLayout keyboard;
    tavlen::fake::FakeApplicationDirectory apps;
    tavlen::fake::FakeClock clock; // 1700000000 seconds
};

QJsonObject exported(const tavlen::fake::FakeFileSystem& files, const QString& path)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(files.file(path), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

} // namespace

TEST(ShortcutTransfer, ExportRowsTurnStoredKeysIntoWords)
{
    Transfer t;
    auto& db = *t.store.store;
    db.saveCustomHotkey(s("app"), uuid(1), s("Zoom"), s("⇧⌘ ="), 24, EventFlag::Shift | EventFlag::Command,
                        true, false);
    db.saveCustomHotkey(s("app"), uuid(2), s("Later"), s("Record Shortcut"), -1, -1, false, true);
    db.saveCustomHotkey(s("app"), uuid(3), s("All"), s("x"), 0,
                        EventFlag::Shift | EventFlag::Control | EventFlag::Option | EventFlag::Command |
                            EventFlag::Function,
                        true, false);

    // The unique index on application and title makes SQLite hand the rows back by title.
    EXPECT_EQ(transfer::exportRows(s("app"), db), (QList<ExportRow>{
                                                      {s("All"), s("shift+control+command+option+fn"), 0},
                                                      {s("Later"), QString(), -1},
                                                      {s("Zoom"), s("shift+command"), 24},
                                                  }));
}

TEST(ShortcutTransfer, ExportOfOneApplicationAlwaysWritesItsMember)
{
    Transfer t;
    auto& db = *t.store.store;
    db.saveCustomHotkey(s("global"), uuid(1), s("Mail"), s("⇧⌘ M"), 46, EventFlag::Shift | EventFlag::Command,
                        true, false);

    ASSERT_FALSE(
        transfer::exportShortcuts(s("Kate"), s("org.kde.kate"), s("/out/kate.tavlen"), false, db, t.files));
    EXPECT_EQ(exported(t.files, s("/out/kate.tavlen")),
              (QJsonObject{{s("org.kde.kate"), QJsonObject{{s("Kate Shortcuts"), QJsonArray()}}}}));

    ASSERT_FALSE(transfer::exportShortcuts(s("Global Custom Shortcuts"), s("global"), s("/out/global.tavlen"),
                                           false, db, t.files));
    const QByteArray text = t.files.file(s("/out/global.tavlen"));
    EXPECT_EQ(exported(t.files, s("/out/global.tavlen")),
              (QJsonObject{
                  {s("global"), QJsonObject{{s("Global Custom Shortcuts"),
                                             QJsonArray{QJsonArray{s("Mail"), s("shift+command"), 46}}}}}}));
    EXPECT_TRUE(text.contains("\n    ")) << "written pretty-printed";
    EXPECT_TRUE(text.contains("46\n")) << "key codes are written as integers: " << text.toStdString();
}

TEST(ShortcutTransfer, ExportAllLeavesOutApplicationsWithoutShortcuts)
{
    Transfer t;
    auto& db = *t.store.store;
    db.saveApp(s("org.kde.kate"), s("Kate"));
    db.saveApp(s("org.gnome.gedit"), s("Text Editor"));
    db.saveCustomHotkey(s("org.gnome.gedit"), uuid(1), s("Wrap"), s(" W"), 13, 0, false, false);

    ASSERT_FALSE(transfer::exportShortcuts(s("Global Custom Shortcuts"), s("global"), s("/out/all.tavlen"),
                                           true, db, t.files));
    EXPECT_EQ(
        exported(t.files, s("/out/all.tavlen")),
        (QJsonObject{{s("org.gnome.gedit"), QJsonObject{{s("Text Editor Shortcuts"),
                                                         QJsonArray{QJsonArray{s("Wrap"), s(""), 13}}}}}}));
}

TEST(ShortcutTransfer, FailedExportKeepsTheEarlierFileAndSaysWhy)
{
    Transfer t;
    auto& db = *t.store.store;
    t.files.putFile(s("/out/all.tavlen"), "earlier export");
    t.files.failWriting(s("/out/all.tavlen"));

    const auto error = transfer::exportShortcuts(s("Global Custom Shortcuts"), s("global"),
                                                 s("/out/all.tavlen"), true, db, t.files);

    EXPECT_EQ(error, s("No space left on device."));
    EXPECT_EQ(t.files.file(s("/out/all.tavlen")), QByteArray("earlier export"));

    // The same on a real disk: a folder that is not there.
    const auto diskError =
        transfer::exportShortcuts(s("Kate"), s("org.kde.kate"),
                                  t.store.dir.path() + s("/missing/kate.tavlen"), false, db, t.store.files);
    EXPECT_TRUE(diskError.has_value());
}

TEST(ShortcutTransfer, ExportAllThenImportRebuildsTheShortcutsOnAFreshStore)
{
    Transfer source;
    auto& db = *source.store.store;
    db.saveApp(s("org.gnome.gedit"), s("gedit"));
    db.saveApp(s("com.example.gone"), s("Gone"));
    db.saveCustomHotkey(s("global"), uuid(1), s("Screenshot"), s("⇧⌘ 4"), 21,
                        EventFlag::Shift | EventFlag::Command, false, true);
    db.saveCustomHotkey(s("global"), uuid(2), s("Unset"), s("Record Shortcut"), -1, -1, true, false);
    db.saveCustomHotkey(s("org.gnome.gedit"), uuid(3), s("Fn Left"), s("fn ←"), tavlen::mac_keys::LeftArrow,
                        EventFlag::Function, true, false);
    db.saveCustomHotkey(s("com.example.gone"), uuid(4), s("It's \"quoted\""), s("⌃⌥ Z"), 6,
                        EventFlag::Control | EventFlag::Option, true, false);
    ASSERT_FALSE(transfer::exportShortcuts(s("Global Custom Shortcuts"), s("global"), s("/out/all.tavlen"),
                                           true, db, source.files));

    Transfer target;
    target.files.putFile(s("/in/all.tavlen"), source.files.file(s("/out/all.tavlen")));
    EXPECT_EQ(target.import(s("/in/all.tavlen")), std::nullopt);

    EXPECT_EQ(target.appRows(),
              (QStringList{s("com.example.gone=-app-com.example.gone-1700000000-"),
                           s("global=Global Custom Shortcuts"), s("org.gnome.gedit=Text Editor")}));
    EXPECT_EQ(target.rows(s("global")),
              (QStringList{s("Screenshot|⇧⌘ 4|21|1179648|10"), s("Unset|Record Shortcut|-1|-1|10")}));
    EXPECT_EQ(target.rows(s("org.gnome.gedit")), QStringList{s("Fn Left|fn ←|123|8388608|10")});
    EXPECT_EQ(target.rows(s("com.example.gone")), QStringList{s("It's \"quoted\"|⌃⌥ Z|6|786432|10")});
    EXPECT_TRUE(target.store.store->getApps().size() == 2) << "global is never listed";

    // A second import finds everything in place.
    const QString before = target.store.column(s("SELECT group_concat(uuid) FROM CustomHotkeys")).value(0);
    target.clock.advanceMilliseconds(5000);
    EXPECT_EQ(target.import(s("/in/all.tavlen")), std::nullopt);
    EXPECT_EQ(target.store.column(s("SELECT group_concat(uuid) FROM CustomHotkeys")).value(0), before);
    EXPECT_EQ(target.store.number(s("SELECT count(*) FROM Apps")), 3);
}

TEST(ShortcutTransfer, ImportNamesKeysWithTheChosenLayoutAndReadsModifierWordsStrictly)
{
    Transfer t;
    t.keyboard.setCurrent(FakeKeyboardLayout::Layout::German);
    const QByteArray file = R"({"app": {"x": [
        ["Y key", "command", 16],
        ["Spaced", " command + shift ", 0],
        ["Capital", "Command+shift", 0],
        ["Twice", "shift+shift", 0],
        ["Empty", "", 1],
        ["Sharp s", "", 27],
        ["Float", "option", 13.0]
    ]}})";

    ASSERT_EQ(t.importJson(file, true), std::nullopt);
    EXPECT_EQ(t.rows(s("app")), (QStringList{
                                    s("Capital|⇧ A|0|131072|10"),
                                    s("Empty| S|1|0|10"),
                                    s("Float|⌥ W|13|524288|10"),
                                    s("Sharp s| ß|27|0|10"),
                                    s("Spaced|⇧⌘ A|0|1179648|10"),
                                    s("Twice|⇧ A|0|131072|10"),
                                    s("Y key|⌘ Z|16|1048576|10"),
                                }));

    ASSERT_EQ(t.importJson(file, false), std::nullopt);
    EXPECT_EQ(t.rows(s("app")).filter(s("Y key")), QStringList{s("Y key|⌘ Y|16|1048576|10")});
    EXPECT_EQ(t.rows(s("app")).filter(s("Sharp s")), QStringList{s("Sharp s| -|27|0|10")});
}

TEST(ShortcutTransfer, ModifierMaskAndApplicationName)
{
    EXPECT_EQ(transfer::modifierMask(s("shift+control+command+option+fn")), 0x9E0000);
    EXPECT_EQ(transfer::modifierMask(s("command + shift")), EventFlag::Command | EventFlag::Shift);
    EXPECT_EQ(transfer::modifierMask(s("\tcommand\n")), EventFlag::Command);
    EXPECT_EQ(transfer::modifierMask(s("Command+SHIFT+alt++")), 0);
    EXPECT_EQ(transfer::modifierMask(QString()), 0);
    EXPECT_EQ(transfer::modifierMask(s("fn+fn+fn")), EventFlag::Function);

    tavlen::fake::FakeApplicationDirectory apps;
    apps.install({s("org.kde.kate"), s("Kate"), s("/k.desktop"), QString()});
    apps.install({s("nameless"), QString(), s("/n.desktop"), QString()});
    EXPECT_EQ(transfer::applicationName(s("global"), apps), s("Global Custom Shortcuts"));
    EXPECT_EQ(transfer::applicationName(s("org.kde.kate"), apps), s("Kate"));
    EXPECT_EQ(transfer::applicationName(s("nameless"), apps), std::nullopt);
    EXPECT_EQ(transfer::applicationName(s("org.gnome.gedit"), apps), std::nullopt);
}

TEST(ShortcutTransfer, UnusableFilesAreReportedWithTheirReason)
{
    Transfer t;
    t.files.failReading(s("/in/locked.tavlen"));
    EXPECT_EQ(t.import(s("/in/locked.tavlen")), s("\nError: Permission denied."));
    EXPECT_EQ(t.import(s("/in/missing.tavlen")), s("\nError: No such file or directory."));

    for (const QByteArray& bad :
         {QByteArray(), QByteArray("{\"app\": [1, 2"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11),
          QByteArray("{\"a\": 1} trailing")}) {
        const auto error = t.importJson(bad);
        ASSERT_TRUE(error.has_value()) << bad.toStdString();
        EXPECT_TRUE(error->startsWith(s("\nError: "))) << error->toStdString();
        EXPECT_GT(error->size(), 8) << "the parser's reason follows";
    }
    for (const QByteArray& notObject :
         {QByteArray("[]"), QByteArray("[{\"app\": {}}]"), QByteArray("\"text\""), QByteArray("42")}) {
        // Whether the parser takes a bare value at the top or not, the file is refused.
        const auto error = t.importJson(notObject);
        ASSERT_TRUE(error.has_value()) << notObject.toStdString();
        EXPECT_TRUE(error->startsWith(s("\nError: "))) << error->toStdString();
    }
    EXPECT_EQ(t.importJson("[]"), s("\nError: Invalid JSON format."));
    EXPECT_EQ(transfer::importResultMessage(s("/home/me/Shortcuts/list.tavlen"), t.importJson("[]")),
              s("File 'list.tavlen' import failed. \nError: Invalid JSON format."));
    EXPECT_EQ(transfer::importResultMessage(s("/home/me/list.tavlen"), std::nullopt),
              s("File 'list.tavlen' imported successfully."));
    EXPECT_EQ(t.appRows(), QStringList()) << "nothing was stored";
}

TEST(ShortcutTransfer, MalformedEntriesAreSkippedAndTheRestImported)
{
    Transfer t;
    const QByteArray file = R"({
        "not.an.object": ["Title", "command", 1],
        "org.gnome.gedit": {
            "not a list": {"Title": 1},
            "not all arrays": [["Skipped too", "", 1], "stray"],
            "entries": [
                ["Two elements", 1],
                ["Four", "", 1, 2],
                [1, "command", 1],
                ["Words as number", 5, 1],
                ["Code as text", "", "1"],
                ["Fraction", "", 13.5],
                ["Too big", "", 65536],
                ["Huge", "", 1e300],
                ["Below -1", "", -2],
                ["Null code", "", null],
                ["Largest", "", 65535],
                ["Unrecorded", "any", -1],
                ["Unrecorded typed", false, -1]
            ],
            "second caption": [["Also read", "fn", 122]]
        }
    })";

    EXPECT_EQ(t.importJson(file), std::nullopt);
    // An application none of whose entries could be read gets no row.
    EXPECT_EQ(t.appRows(), (QStringList{s("org.gnome.gedit=Text Editor")}));
    EXPECT_EQ(t.rows(s("org.gnome.gedit")), (QStringList{
                                                s("Also read|fn F1|122|8388608|10"),
                                                s("Largest| ??|65535|0|10"),
                                                s("Unrecorded|Record Shortcut|-1|-1|10"),
                                            }));
    EXPECT_TRUE(t.rows(s("not.an.object")).isEmpty());
}

TEST(ShortcutTransfer, ExistingApplicationRowKeepsItsTitle)
{
    Transfer t;
    t.store.store->saveApp(s("org.gnome.gedit"), s("My Editor"));
    EXPECT_EQ(t.importJson(R"({"org.gnome.gedit": {"x": [["A", "", 1]]}, "%1%2": {"x": [["B", "", 2]]}})"),
              std::nullopt);
    EXPECT_EQ(t.appRows(), (QStringList{s("%1%2=-app-%1%2-1700000000-"), s("org.gnome.gedit=My Editor")}));
}

TEST(ShortcutTransfer, AFileOfWhichNothingCanBeReadIsAFailureThatSaysWhyAndLeavesNoRow)
{
    Transfer t;
    EXPECT_EQ(
        t.importJson(R"({"probeapp": {"G": [["A", "shift", "1"]]}})"),
        s("\nError: No shortcut in the file could be read: entry 1 of probeapp: key code is not a number"));
    EXPECT_EQ(t.importJson(R"({"empty": {"G": []}, "probeapp": {"G": [["A", "shift", 1, 2], ["B", 3, 1]]}})"),
              s("\nError: No shortcut in the file could be read: entry 1 of probeapp: not a list of title, "
                "modifiers and key code"));
    EXPECT_EQ(t.importJson(R"({"probeapp": "shortcuts"})"),
              s("\nError: No shortcut in the file could be read: probeapp: not a group of shortcuts"));
    EXPECT_EQ(t.importJson(R"({})"), s("\nError: The file holds no shortcuts."));
    EXPECT_TRUE(t.appRows().isEmpty());
}

TEST(ShortcutTransfer, FailedStoreWritesTurnTheImportIntoAFailure)
{
    Transfer t;
    // The store refuses two particular rows, as a full or read-only disk would refuse all.
    t.store.exec(s("CREATE TRIGGER refuse_app BEFORE INSERT ON Apps WHEN NEW.identifier = 'org.refused'"
                   " BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END;"
                   "CREATE TRIGGER refuse_shortcut BEFORE INSERT ON CustomHotkeys WHEN NEW.title = 'Broken'"
                   " BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END;"));

    const auto error = t.importJson(R"({"org.gnome.gedit": {"x": [["Before", "", 0], ["Broken", "", 1],
                                                                  ["Fine", "", 2]]},
                                        "org.refused": {"x": [["Kept", "", 3]]}})");

    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error,
              s("\nError: The shortcut “Broken” of “org.gnome.gedit” could not be saved: database or disk "
                "is full (1 more could not be saved either.)"));
    EXPECT_EQ(t.rows(s("org.gnome.gedit")), (QStringList{s("Before| A|0|0|10"), s("Fine| D|2|0|10")}));
    EXPECT_EQ(t.rows(s("org.refused")), QStringList{s("Kept| F|3|0|10")})
        << "the rest is imported all the same";
}

namespace {

struct Interruption {};

// Ends an import half-way, the way an exception or the end of the process would: it is called
// when the importer asks for the name of "org.interrupted".
class InterruptingDirectory final : public tavlen::ApplicationDirectory {
public:
    explicit InterruptingDirectory(std::function<void()> interrupt) : m_interrupt(std::move(interrupt)) {}

    std::optional<tavlen::ApplicationInfo> find(const QString& identifier) const override
    {
        if (identifier == s("org.interrupted"))
            m_interrupt();
        return std::nullopt;
    }

private:
    std::function<void()> m_interrupt;
};

} // namespace

TEST(ShortcutTransfer, ImportEndedHalfWayLeavesTheStoreAsItWas)
{
    Transfer t;
    auto& db = *t.store.store;
    db.saveApp(s("org.gnome.gedit"), s("My Editor"));
    db.saveCustomHotkey(s("org.gnome.gedit"), uuid(1), s("Wrap"), s(" W"), 13, 0, true, false);
    const auto contents = [&t] { return t.appRows() + t.rows(s("org.gnome.gedit")) + t.rows(s("global")); };
    const QStringList before = contents();
    // Members are read in name order: "org.interrupted" comes after the others were written.
    t.files.putFile(s("/in/all.tavlen"), R"({"global": {"x": [["Mail", "command", 46]]},
                                             "org.gnome.gedit": {"x": [["Wrap", "command", 13], ["New", "", 1]]},
                                             "org.interrupted": {"x": [["Never", "", 2]]}})");

    QStringList seenMeanwhile;
    const InterruptingDirectory interrupting([&] {
        seenMeanwhile = contents(); // through a connection of its own
        throw Interruption{};
    });
    EXPECT_THROW(
        transfer::importFile(s("/in/all.tavlen"), db, false, t.files, t.keyboard, interrupting, t.clock),
        Interruption);
    EXPECT_EQ(seenMeanwhile, before) << "nothing is visible before the import commits";
    EXPECT_EQ(contents(), before);

    // SQLite may roll the whole transaction back by itself (a full disk, an I/O error): what was
    // written before is gone then, and nothing after it may be written on its own.
    t.store.exec(s("CREATE TRIGGER lose BEFORE INSERT ON CustomHotkeys WHEN NEW.title = 'New'"
                   " BEGIN SELECT RAISE(ROLLBACK, 'disk I/O error'); END;"));
    EXPECT_EQ(t.import(s("/in/all.tavlen")),
              s("\nError: The shortcut “New” of “org.gnome.gedit” could not be "
                "saved: disk I/O error (nothing was imported.)"));
    EXPECT_EQ(contents(), before);

    t.store.exec(s("DROP TRIGGER lose;"));
    EXPECT_EQ(t.import(s("/in/all.tavlen")), std::nullopt);
    EXPECT_EQ(t.rows(s("org.gnome.gedit")), (QStringList{s("New| S|1|0|10"), s("Wrap|⌘ W|13|1048576|10")}));
    EXPECT_EQ(t.rows(s("global")), QStringList{s("Mail|⌘ M|46|1048576|10")});
}

TEST(ShortcutTransfer, ImportWaitsForAnotherWriterInsteadOfFailing)
{
    Transfer t;
    const auto other = t.store.raw();
    // Between operations the store holds no lock, not even the read of a count it stopped
    // reading after the first row: a writer without a busy timeout gets through at once.
    EXPECT_EQ(t.store.store->appCount(s("org.gnome.gedit")), (std::variant<qint64, QString>(qint64(0))));
    EXPECT_EQ(other->execute(s("BEGIN IMMEDIATE; INSERT INTO Apps VALUES ('org.first', 'First'); COMMIT;")),
              std::nullopt);

    // The other writer holds the write lock for a moment, as a running tavlen saving a flag would.
    other->setBusyTimeout(std::chrono::seconds(2));
    ASSERT_EQ(other->execute(s("BEGIN IMMEDIATE; INSERT INTO Apps VALUES ('org.second', 'Second');")),
              std::nullopt);
    std::optional<QString> releaseError;
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        releaseError = other->execute(s("COMMIT;"));
    });
    const auto error = t.importJson(R"({"org.gnome.gedit": {"x": [["Fine", "", 2]]}})");
    releaser.join();

    EXPECT_EQ(releaseError, std::nullopt);
    EXPECT_EQ(error, std::nullopt);
    EXPECT_EQ(t.appRows(),
              (QStringList{s("org.first=First"), s("org.gnome.gedit=Text Editor"), s("org.second=Second")}));
    EXPECT_EQ(t.rows(s("org.gnome.gedit")), QStringList{s("Fine| D|2|0|10")});
}
