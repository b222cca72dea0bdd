#include "store/DatabaseManager.h"
#include "platform/fake/FakeFileLocations.h"
#include "platform/fake/FakeFileSystem.h"
#include "store/CustomHotkeys_BD.h"
#include "store/InitialMigration_DB.h"
#include "store/MigrationRunner.h"
#include "store/StoreStartupError.h"
#include "support/StoreTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using tavlen::CustomHotkeys_BD;
using tavlen::DatabaseManager;
using tavlen::InitialMigration_DB;
using tavlen::StoreStartupError;
using tavlen::test::StoreTestSupport;

namespace {

const QStringList initialStatements = {
    QStringLiteral("CREATE TABLE IF NOT EXISTS \"Apps\" (\n"
                   "    \"identifier\" TEXT NOT NULL UNIQUE,\n"
                   "    \"title\" TEXT NOT NULL\n"
                   ");"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS \"Hotkeys\" (\n"
                   "    \"app_id\" TEXT NOT NULL,\n"
                   "    \"title\" TEXT NOT NULL,\n"
                   "    \"value\" TEXT NOT NULL,\n"
                   "    \"is_hidden\" INTEGER NOT NULL DEFAULT 0,\n"
                   "    \"is_bookmarked\" INTEGER NOT NULL DEFAULT 0,\n"
                   "    \"used\" INTEGER NOT NULL DEFAULT 0,\n"
                   "    FOREIGN KEY(\"app_id\") REFERENCES \"Apps\"(\"identifier\")\n"
                   ");"),
    QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS \"ByApp\" ON \"Apps\" (\n"
                   "    \"identifier\" ASC\n"
                   ");"),
    QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS \"ByAppTitleHotkey\" ON \"Hotkeys\" (\n"
                   "    \"app_id\" ASC,\n"
                   "    \"title\" ASC,\n"
                   "    \"value\" ASC\n"
                   ");"),
    QStringLiteral("CREATE INDEX IF NOT EXISTS \"ByAppHotkey\" ON \"Hotkeys\" (\n"
                   "    \"app_id\" ASC,\n"
                   "    \"value\" ASC\n"
                   ");"),
};

const QStringList customHotkeysStatements = {
    QStringLiteral("CREATE TABLE IF NOT EXISTS \"CustomHotkeys\" (\n"
                   "    \"app_id\" TEXT NOT NULL,\n"
                   "    \"uuid\" TEXT NOT NULL UNIQUE,\n"
                   "    \"title\" TEXT NOT NULL,\n"
                   "    \"value\" TEXT NOT NULL,\n"
                   "    \"raw_value\" INTEGER NOT NULL DEFAULT 0,\n"
                   "    \"raw_modifier\" INTEGER NOT NULL DEFAULT 0,\n"
                   "    \"is_enabled\" INTEGER NOT NULL DEFAULT 0,\n"
                   "    \"is_bookmarked\" INTEGER NOT NULL DEFAULT 0,\n"
                   "    \"used\" INTEGER NOT NULL DEFAULT 0,\n"
                   "    FOREIGN KEY(\"app_id\") REFERENCES \"Apps\"(\"identifier\")\n"
                   ");"),
    QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS \"ByAppTitleCustomHotkey\" ON \"CustomHotkeys\" (\n"
                   "    \"app_id\" ASC,\n"
                   "    \"title\" ASC\n"
                   ");"),
    QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS \"ByAppTitle\" ON \"Apps\" (\n"
                   "    \"title\" ASC,\n"
                   "    \"identifier\" ASC\n"
                   ");"),
};

const QString bookkeepingLookup =
    QStringLiteral(R"(SELECT count(*) FROM "sqlite_master" WHERE ("type" = ?) AND ("name" = ?))");
const QString readVersions = QStringLiteral(R"(SELECT "version" FROM "schema_migrations")");
const QString recordVersion = QStringLiteral(R"(INSERT INTO "schema_migrations" ("version") VALUES (?))");

QStringList inTransaction(const QStringList& statements)
{
    return QStringList{QStringLiteral("BEGIN TRANSACTION;")} + statements +
           QStringList{recordVersion, QStringLiteral("COMMIT TRANSACTION;")};
}

QStringList schemaObjects(const StoreTestSupport& t)
{
    return t.column(
        QStringLiteral("SELECT name FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY name"));
}

QStringList startupStatements(StoreTestSupport& t)
{
    QStringList seen;
    t.store = std::make_unique<DatabaseManager>(t.locations, t.files,
                                                [&seen](const QString& sql) { seen.append(sql); });
    return seen;
}

QString startupFailure(tavlen::FileLocations& locations, tavlen::FileSystem& files)
{
    try {
        DatabaseManager store(locations, files);
    } catch (const StoreStartupError& error) {
        return error.message();
    }
    return QStringLiteral("<no failure>");
}

// A database that has been through the first migration only, as an older Tavlen left it.
void makeFirstVersionDatabase(const StoreTestSupport& t)
{
    const QString path = t.databasePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    t.exec(InitialMigration_DB::script());
    t.exec(QStringLiteral("CREATE TABLE schema_migrations (version INTEGER NOT NULL UNIQUE);"
                          "INSERT INTO schema_migrations VALUES (20230729213455);"
                          "INSERT INTO Apps VALUES ('org.gnome.gedit', 'Text Editor');"));
}

} // namespace

TEST(DatabaseManager, FirstStartCreatesTheFileAndRunsBothMigrationsInTheirOwnTransactions)
{
    StoreTestSupport t;
    const QStringList seen = startupStatements(t);

    EXPECT_EQ(t.store->path(), t.dir.path() + QStringLiteral("/data/group.com.Fenwater.Tavlen/Library/"
                                                             "Application Support/Tavlen/Tavlen.sqlitedb"));
    EXPECT_TRUE(QFileInfo(t.store->path()).isFile());

    const QStringList expected =
        QStringList{bookkeepingLookup,
                    QStringLiteral("CREATE TABLE IF NOT EXISTS \"schema_migrations\" (\n"
                                   "    \"version\" INTEGER NOT NULL UNIQUE\n"
                                   ");"),
                    readVersions} +
        inTransaction(initialStatements) + inTransaction(customHotkeysStatements);
    EXPECT_EQ(seen, expected);

    EXPECT_EQ(schemaObjects(t),
              (QStringList{"Apps", "ByApp", "ByAppHotkey", "ByAppTitle", "ByAppTitleCustomHotkey",
                           "ByAppTitleHotkey", "CustomHotkeys", "Hotkeys", "schema_migrations"}));
    EXPECT_EQ(t.column(QStringLiteral("SELECT version FROM schema_migrations ORDER BY version")),
              (QStringList{"20230729213455", "20230829001553"}));
    // No pragma: foreign keys stay declarations only.
    EXPECT_EQ(t.store
                  ->saveHotkeyState(QStringLiteral("global"), QStringLiteral("Quit"), QStringLiteral("⌘ Q"),
                                    false, true)
                  .outcome,
              tavlen::StoreWrite::Outcome::Written);
}

TEST(DatabaseManager, DatabaseWithOnlyTheFirstVersionGetsOnlyTheSecondMigration)
{
    StoreTestSupport t;
    makeFirstVersionDatabase(t);

    const QStringList seen = startupStatements(t);

    EXPECT_EQ(seen, QStringList({bookkeepingLookup, readVersions}) + inTransaction(customHotkeysStatements));
    EXPECT_EQ(t.column(QStringLiteral("SELECT version FROM schema_migrations ORDER BY version")),
              (QStringList{"20230729213455", "20230829001553"}));
    EXPECT_EQ(t.store->getApps(), (QList<std::pair<QString, QString>>{{"org.gnome.gedit", "Text Editor"}}));
}

TEST(DatabaseManager, UpToDateDatabaseSeesNothingButReads)
{
    StoreTestSupport t;
    t.open();
    t.store.reset();

    const QStringList seen = startupStatements(t);

    EXPECT_EQ(seen, (QStringList{bookkeepingLookup, readVersions}));
}

TEST(DatabaseManager, LostBookkeepingIsRebuiltWithoutTouchingTheData)
{
    StoreTestSupport t;
    t.open().saveApp(QStringLiteral("org.kde.kate"), QStringLiteral("Kate"));
    t.store.reset();
    t.exec(QStringLiteral("DROP TABLE schema_migrations;"));

    t.open();

    EXPECT_EQ(t.column(QStringLiteral("SELECT version FROM schema_migrations ORDER BY version")),
              (QStringList{"20230729213455", "20230829001553"}));
    EXPECT_EQ(t.store->getApps(), (QList<std::pair<QString, QString>>{{"org.kde.kate", "Kate"}}));
}

TEST(DatabaseManager, FailingMigrationIsRolledBackAndStopsStartUp)
{
    StoreTestSupport t;
    makeFirstVersionDatabase(t);
    // Rows the new unique index cannot accept: its creation fails half-way through the script.
    t.exec(
        QStringLiteral("CREATE TABLE \"CustomHotkeys\" (app_id TEXT, uuid TEXT, title TEXT, value TEXT,"
                       " raw_value INTEGER, raw_modifier INTEGER, is_enabled INTEGER, is_bookmarked INTEGER,"
                       " used INTEGER);"
                       "INSERT INTO CustomHotkeys (app_id, title) VALUES ('a', 'Same'), ('a', 'Same');"));

    const QString failure = startupFailure(t.locations, t.files);

    EXPECT_TRUE(failure.startsWith(QStringLiteral("Unable to perform migrations: UNIQUE constraint failed")))
        << failure.toStdString();
    EXPECT_EQ(t.column(QStringLiteral("SELECT version FROM schema_migrations")),
              QStringList{"20230729213455"});
    EXPECT_FALSE(schemaObjects(t).contains(QStringLiteral("ByAppTitle")));
    EXPECT_EQ(t.number(QStringLiteral("SELECT count(*) FROM CustomHotkeys")), 2);
}

TEST(DatabaseManager, MigrationRunnerKeepsEarlierMigrationsAndSkipsLaterOnes)
{
    struct ScriptMigration final : tavlen::Migration {
        ScriptMigration(qint64 v, QString s) : m_version(v), m_script(std::move(s)) {}
        qint64 version() const override { return m_version; }
        std::optional<QString> run(tavlen::SqliteConnection& db) const override
        {
            return db.execute(m_script);
        }
        qint64 m_version;
        QString m_script;
    };
    StoreTestSupport t;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(t.databasePath()).path()));
    QFile file(t.databasePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    auto db = t.raw();

    const ScriptMigration first(1, QStringLiteral("CREATE TABLE one (x);"));
    const ScriptMigration broken(2, QStringLiteral("CREATE TABLE two (x); CREATE TABLE one (y);"));
    const ScriptMigration later(3, QStringLiteral("CREATE TABLE three (x);"));
    const auto error = tavlen::MigrationRunner(*db).run({&first, &broken, &later});

    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, QStringLiteral("table one already exists"));
    EXPECT_EQ(t.column(QStringLiteral("SELECT version FROM schema_migrations")), QStringList{"1"});
    const QStringList tables = schemaObjects(t);
    EXPECT_TRUE(tables.contains(QStringLiteral("one")));
    EXPECT_FALSE(tables.contains(QStringLiteral("two"))) << "the failed migration's first statement stayed";
    EXPECT_FALSE(tables.contains(QStringLiteral("three")));
    // The connection is usable afterwards: no transaction was left open.
    EXPECT_FALSE(db->execute(QStringLiteral("CREATE TABLE four (x);")).has_value());
}

TEST(DatabaseManager, FileThatIsNoDatabaseStopsStartUpAndStaysAsItWas)
{
    StoreTestSupport t;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(t.databasePath()).path()));
    QByteArray bytes("These are my notes, not a database.\n");
    bytes.append(QByteArray(4096, '\x5a'));
    QFile file(t.databasePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const QString failure = startupFailure(t.locations, t.files);

    EXPECT_EQ(failure, QStringLiteral("Unable to perform migrations: file is not a database"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
}

TEST(DatabaseManager, StartUpFailuresCarryTheirMessages)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    const QString folder =
        root + QStringLiteral("/data/group.com.Fenwater.Tavlen/Library/Application Support/Tavlen");
    const QString path = folder + QStringLiteral("/Tavlen.sqlitedb");

    {
        tavlen::fake::FakeFileLocations noData(root);
        noData.setHasDataHome(false);
        tavlen::fake::FakeFileSystem files;
        EXPECT_EQ(startupFailure(noData, files),
                  QStringLiteral("Unable to access the shared container directory."));
    }
    tavlen::fake::FakeFileLocations locations(root);
    {
        tavlen::fake::FakeFileSystem files;
        files.failMakingPath(folder);
        EXPECT_EQ(startupFailure(locations, files),
                  QStringLiteral("Unable to create database connection: The folder could not be created."));
    }
    {
        tavlen::fake::FakeFileSystem files;
        files.failWriting(path);
        EXPECT_EQ(startupFailure(locations, files), QStringLiteral("Failed to create the database file."));
    }
    {
        // The file is made in memory only, so SQLite finds nothing to open on disk.
        tavlen::fake::FakeFileSystem files;
        EXPECT_EQ(startupFailure(locations, files),
                  QStringLiteral("Unable to create database connection: unable to open database file"));
        EXPECT_TRUE(files.exists(path));
    }
    {
        tavlen::fake::FakeFileSystem files;
        files.putFile(path, QByteArray());
        EXPECT_EQ(startupFailure(locations, files),
                  QStringLiteral("Unable to open the database: unable to open database file"));
        EXPECT_FALSE(QFileInfo::exists(path)) << "an existing file is opened, never created";
    }
}

TEST(DatabaseManager, UniqueIndexesGuardAppsAndCustomShortcuts)
{
    StoreTestSupport t;
    t.open();
    const auto insert = [&t](const QString& sql) { return t.raw()->execute(sql); };

    EXPECT_FALSE(insert(QStringLiteral("INSERT INTO Apps VALUES ('org.a', 'Same'), ('org.b', 'Same');")));
    EXPECT_TRUE(insert(QStringLiteral("INSERT INTO Apps VALUES ('org.a', 'Other');")));

    EXPECT_FALSE(insert(QStringLiteral("INSERT INTO CustomHotkeys (app_id, uuid, title, value) VALUES"
                                       " ('org.a', 'U1', 'T', ''), ('org.b', 'U2', 'T', '');")));
    EXPECT_TRUE(insert(QStringLiteral("INSERT INTO CustomHotkeys (app_id, uuid, title, value) VALUES"
                                      " ('org.a', 'U3', 'T', '');")));
    EXPECT_TRUE(insert(QStringLiteral("INSERT INTO CustomHotkeys (app_id, uuid, title, value) VALUES"
                                      " ('org.c', 'U1', 'X', '');")));
}
