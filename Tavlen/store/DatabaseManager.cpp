#include "store/DatabaseManager.h"

#include "harvest/ShortcutNotation.h"
#include "platform/FileLocations.h"
#include "platform/FileSystem.h"
#include "shared/TavlenIdentifiers.h"
#include "store/CustomHotkeys_BD.h"
#include "store/ElementKey.h"
#include "store/GlobalApp.h"
#include "store/InitialMigration_DB.h"
#include "store/MigrationRunner.h"
#include "store/ScriptMigration.h"
#include "store/StoreStartupError.h"

#include <QUuid>

namespace tavlen {
namespace {

qint64 flag(bool value)
{
    return value ? 1 : 0;
}

const QString INSERT_CUSTOM_HOTKEY =
    QStringLiteral(R"(INSERT INTO "CustomHotkeys" ("app_id", "uuid", "title", "value", "raw_value", )"
                   R"("raw_modifier", "is_enabled", "is_bookmarked") VALUES (?, ?, ?, ?, ?, ?, ?, ?))");

QString freshUuidText()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

// The 8-4-4-4-12 hexadecimal form without braces; rows edited by hand may hold anything else.
bool isUuidText(const QString& text)
{
    // QUuid reads the nil UUID as it reads text that is none; the nil one is well formed.
    static const QString nil = QUuid().toString(QUuid::WithoutBraces);
    return text.size() == 36 && (!QUuid::fromString(text).isNull() || text == nil);
}

// Column positions of a "SELECT *" result, looked up by name so that a table whose columns were
// reordered by hand is still read correctly.
struct Columns {
    explicit Columns(const SqliteStatement& statement, std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            const auto index = statement.columnIndex(name);
            if (!index)
                complete = false;
            indexes.push_back(index.value_or(-1));
        }
    }
    int operator[](std::size_t i) const { return indexes[i]; }

    std::vector<int> indexes;
    bool complete = true;
};

// Runs a query and collects what `read` makes of each row; a row it cannot read (none) is left
// out. Any failure of the query itself gives the empty list.
template <typename T, typename Read>
QList<T> collect(SqliteConnection& db, const QString& sql, std::initializer_list<SqlValue> values,
                 std::initializer_list<const char*> columnNames, Read read)
{
    SqliteStatement statement = db.prepare(sql);
    if (!statement.bind(values))
        return {};
    const Columns columns(statement, columnNames);
    if (!columns.complete)
        return {};
    QList<T> result;
    SqliteStatement::Step step = statement.step();
    for (; step == SqliteStatement::Step::Row; step = statement.step()) {
        if (std::optional<T> item = read(statement, columns))
            result.append(std::move(*item));
    }
    if (step == SqliteStatement::Step::Error)
        return {};
    return result;
}

// One custom shortcut row as the store hands it out; none for a row that cannot be (hand-edited
// to a key the editor never writes, a uuid that does not parse, a missing value).
std::optional<CustomHotkeyRow> readCustomHotkeyRow(const SqliteStatement& row, const Columns& c)
{
    const auto rawValue = row.integer(c[0]);
    if (!rawValue)
        return std::nullopt;
    std::optional<KeyInput> keys;
    if (*rawValue != -1) {
        const auto rawModifier = row.integer(c[1]);
        if (!rawModifier)
            return std::nullopt;
        keys = notation::keyInputFromStore(*rawValue, *rawModifier);
        if (!keys) // a key code or mask the editor never writes
            return std::nullopt;
    }
    auto uuid = row.text(c[2]);
    auto title = row.text(c[3]);
    auto value = row.text(c[4]);
    const auto enabled = row.integer(c[5]);
    const auto bookmarked = row.integer(c[6]);
    if (!uuid || !isUuidText(*uuid) || !title || !value || !enabled || !bookmarked)
        return std::nullopt;
    return CustomHotkeyRow{std::move(*uuid), std::move(*title), std::move(*value), keys,
                           *enabled != 0,    *bookmarked != 0};
}

} // namespace

DatabaseManager::DatabaseManager(FileLocations& locations, FileSystem& files, StatementObserver observer)
{
    const auto path = databasePath(locations);
    if (!path)
        throw StoreStartupError(QStringLiteral("Unable to access the shared container directory."));
    m_path = *path;

    QString error;
    if (!files.exists(m_path)) {
        const QString directory = m_path.section(QLatin1Char('/'), 0, -2);
        if (const auto failure = files.makePath(directory))
            throw StoreStartupError(QStringLiteral("Unable to create database connection: ") +
                                    failure->description);
        if (files.createEmptyFile(m_path))
            throw StoreStartupError(QStringLiteral("Failed to create the database file."));
        m_db = SqliteConnection::open(m_path, error);
        if (!m_db)
            throw StoreStartupError(QStringLiteral("Unable to create database connection: ") + error);
    } else {
        m_db = SqliteConnection::open(m_path, error);
        if (!m_db)
            throw StoreStartupError(QStringLiteral("Unable to open the database: ") + error);
    }

    m_db->setBusyTimeout(busyTimeout);
    m_db->setStatementObserver(std::move(observer));
    runMigrations();
}

DatabaseManager::~DatabaseManager() = default;

std::optional<QString> DatabaseManager::databasePath(const FileLocations& locations)
{
    const auto container = locations.groupContainer(QString::fromLatin1(ids::APP_GROUP_IDENTIFIER));
    if (!container)
        return std::nullopt;
    return *container + QStringLiteral("/Library/Application Support/") + QLatin1String(appName) +
           QLatin1Char('/') + QLatin1String(dbFileName);
}

void DatabaseManager::setStatementObserver(StatementObserver observer)
{
    m_db->setStatementObserver(std::move(observer));
}

void DatabaseManager::runMigrations()
{
    const ScriptMigration initial(InitialMigration_DB::VERSION, InitialMigration_DB::script());
    const ScriptMigration customHotkeys(CustomHotkeys_BD::VERSION, CustomHotkeys_BD::script());
    if (const auto error = MigrationRunner(*m_db).run({&initial, &customHotkeys}))
        throw StoreStartupError(QStringLiteral("Unable to perform migrations: ") + *error);
}

std::variant<qint64, QString> DatabaseManager::count(const QString& sql,
                                                     std::initializer_list<SqlValue> values)
{
    ReusedStatement statement = m_db->reuse(sql);
    if (!statement->bind(values) || statement->step() != SqliteStatement::Step::Row)
        return m_db->lastError();
    if (const auto rows = statement->integer(0))
        return *rows;
    return QStringLiteral("The row count could not be read.");
}

StoreWrite DatabaseManager::write(const QString& sql, std::initializer_list<SqlValue> values)
{
    ReusedStatement statement = m_db->reuse(sql);
    if (!statement->bind(values) || !statement->run())
        return StoreWrite::failure(m_db->lastError());
    return StoreWrite::written();
}

StoreWrite
DatabaseManager::insertOrUpdate(const QString& countSql, std::initializer_list<SqlValue> countValues,
                                const QString& insertSql, std::initializer_list<SqlValue> insertValues,
                                const QString& updateSql, std::initializer_list<SqlValue> updateValues)
{
    const auto existing = count(countSql, countValues);
    if (const auto* error = std::get_if<QString>(&existing))
        return StoreWrite::failure(*error);
    if (std::get<qint64>(existing) == 0)
        return write(insertSql, insertValues);
    return write(updateSql, updateValues);
}

ApplicationRecorder DatabaseManager::applicationRecorder()
{
    return [this](const QString& identifier, const QString& title) { saveApp(identifier, title); };
}

StoreWrite DatabaseManager::saveApp(const QString& identifier, const QString& title)
{
    return insertOrUpdate(
        QStringLiteral(R"(SELECT count(*) FROM "Apps" WHERE ("identifier" = ?))"), {identifier},
        QStringLiteral(R"(INSERT INTO "Apps" ("identifier", "title") VALUES (?, ?))"), {identifier, title},
        QStringLiteral(R"(UPDATE "Apps" SET "title" = ? WHERE ("identifier" = ?))"), {title, identifier});
}

QList<std::pair<QString, QString>> DatabaseManager::getApps()
{
    return collect<std::pair<QString, QString>>(
        *m_db, QStringLiteral(R"(SELECT * FROM "Apps" WHERE ("identifier" != ?) ORDER BY "title" ASC)"),
        {QString::fromLatin1(global_app::IDENTIFIER)}, {"identifier", "title"},
        [](const SqliteStatement& row, const Columns& c) -> std::optional<std::pair<QString, QString>> {
            auto identifier = row.text(c[0]);
            auto title = row.text(c[1]);
            if (!identifier || !title)
                return std::nullopt;
            return std::pair{std::move(*identifier), std::move(*title)};
        });
}

std::variant<qint64, QString> DatabaseManager::appCount(const QString& identifier)
{
    return count(QStringLiteral(R"(SELECT count(*) FROM "Apps" WHERE ("identifier" = ?))"), {identifier});
}

StoreWrite DatabaseManager::saveHotkeyState(const QString& appId, const QString& title, const QString& keys,
                                            bool isBookmarked, bool isHidden)
{
    const QString key = elementKey(title, keys);
    return insertOrUpdate(
        QStringLiteral(R"(SELECT count(*) FROM "Hotkeys" WHERE ("app_id" = ?) AND ("value" = ?))"),
        {appId, key},
        QStringLiteral(R"(INSERT INTO "Hotkeys" ("app_id", "title", "value", "is_bookmarked", )"
                       R"("is_hidden") VALUES (?, ?, ?, ?, ?))"),
        {appId, title, key, flag(isBookmarked), flag(isHidden)},
        QStringLiteral(R"(UPDATE "Hotkeys" SET "is_bookmarked" = ?, "is_hidden" = ? )"
                       R"(WHERE ("app_id" = ?) AND ("value" = ?))"),
        {flag(isBookmarked), flag(isHidden), appId, key});
}

QList<HotkeyState> DatabaseManager::getHotkeyStates(const QString& appId)
{
    return collect<HotkeyState>(
        *m_db, QStringLiteral(R"(SELECT * FROM "Hotkeys" WHERE ("app_id" = ?))"), {appId},
        {"value", "is_bookmarked", "is_hidden"},
        [](const SqliteStatement& row, const Columns& c) -> std::optional<HotkeyState> {
            auto value = row.text(c[0]);
            const auto bookmarked = row.integer(c[1]);
            const auto hidden = row.integer(c[2]);
            if (!value || !bookmarked || !hidden)
                return std::nullopt;
            return HotkeyState{std::move(*value), *bookmarked != 0, *hidden != 0};
        });
}

StoreWrite DatabaseManager::incrementHotkeyUsage(const QString& appId, const QString& title,
                                                 const QString& keys)
{
    const QString key = elementKey(title, keys);
    // Application ids come from window classes and may hold an apostrophe: bound, not spliced.
    return insertOrUpdate(
        QStringLiteral(R"(SELECT count(*) FROM "Hotkeys" WHERE ("app_id" = ?) AND ("value" = ?))"),
        {appId, key},
        QStringLiteral(R"(INSERT INTO "Hotkeys" ("app_id", "title", "value", "used") VALUES (?, ?, ?, ?))"),
        {appId, title, key, qint64(1)},
        QStringLiteral("UPDATE Hotkeys SET used = used + 1 WHERE app_id = ? AND value = ?"), {appId, key});
}

QList<CustomHotkeyRow> DatabaseManager::getCustomHotkeys(const QString& appId, bool includeDisabled)
{
    const auto read = readCustomHotkeyRow;
    const std::initializer_list<const char*> columns = {"raw_value", "raw_modifier", "uuid",         "title",
                                                        "value",     "is_enabled",   "is_bookmarked"};
    if (includeDisabled)
        return collect<CustomHotkeyRow>(
            *m_db, QStringLiteral(R"(SELECT * FROM "CustomHotkeys" WHERE ("app_id" = ?))"), {appId}, columns,
            read);
    return collect<CustomHotkeyRow>(
        *m_db, QStringLiteral(R"(SELECT * FROM "CustomHotkeys" WHERE ("app_id" = ?) AND ("is_enabled" = ?))"),
        {appId, qint64(1)}, columns, read);
}

std::variant<DatabaseManager::CustomHotkeyReading, QString>
DatabaseManager::readCustomHotkeys(const QString& appId)
{
    SqliteStatement statement =
        m_db->prepare(QStringLiteral(R"(SELECT * FROM "CustomHotkeys" WHERE ("app_id" = ?))"));
    if (!statement.bind({appId}))
        return m_db->lastError();
    const Columns columns(
        statement, {"raw_value", "raw_modifier", "uuid", "title", "value", "is_enabled", "is_bookmarked"});
    if (!columns.complete)
        return QStringLiteral("the table of custom shortcuts lacks columns");
    CustomHotkeyReading reading;
    SqliteStatement::Step step = statement.step();
    for (; step == SqliteStatement::Step::Row; step = statement.step()) {
        if (std::optional<CustomHotkeyRow> row = readCustomHotkeyRow(statement, columns))
            reading.rows.append(std::move(*row));
        else
            ++reading.unreadable;
    }
    if (step == SqliteStatement::Step::Error)
        return m_db->lastError();
    return reading;
}

StoreWrite DatabaseManager::saveCustomHotkey(const QString& appId, const QString& uuid, const QString& title,
                                             const QString& value, qint64 rawValue, qint64 rawModifier,
                                             bool isEnabled, bool isBookmarked)
{
    return insertOrUpdate(
        QStringLiteral(R"(SELECT count(*) FROM "CustomHotkeys" WHERE ("app_id" = ?) AND ("uuid" = ?))"),
        {appId, uuid}, INSERT_CUSTOM_HOTKEY,
        {appId, uuid, title, value, rawValue, rawModifier, flag(isEnabled), flag(isBookmarked)},
        QStringLiteral(R"(UPDATE "CustomHotkeys" SET "title" = ?, "value" = ?, "raw_value" = ?, )"
                       R"("raw_modifier" = ?, "is_enabled" = ?, "is_bookmarked" = ? )"
                       R"(WHERE ("app_id" = ?) AND ("uuid" = ?))"),
        {title, value, rawValue, rawModifier, flag(isEnabled), flag(isBookmarked), appId, uuid});
}

StoreWrite DatabaseManager::importCustomHotkey(const QString& appId, const QString& title,
                                               const QString& value, qint64 rawValue, qint64 rawModifier,
                                               bool isEnabled, bool isBookmarked)
{
    return insertOrUpdate(
        QStringLiteral(R"(SELECT count(*) FROM "CustomHotkeys" WHERE ("app_id" = ?) AND ("title" = ?))"),
        {appId, title}, INSERT_CUSTOM_HOTKEY,
        {appId, freshUuidText(), title, value, rawValue, rawModifier, flag(isEnabled), flag(isBookmarked)},
        QStringLiteral(R"(UPDATE "CustomHotkeys" SET "value" = ?, "raw_value" = ?, "raw_modifier" = ?, )"
                       R"("is_enabled" = ?, "is_bookmarked" = ? WHERE ("app_id" = ?) AND ("title" = ?))"),
        {value, rawValue, rawModifier, flag(isEnabled), flag(isBookmarked), appId, title});
}

StoreWrite DatabaseManager::writeCustomHotkey(const QString& appId, const QString& uuid, const QString& sql,
                                              std::initializer_list<SqlValue> values)
{
    const auto existing =
        count(QStringLiteral(R"(SELECT count(*) FROM "CustomHotkeys" WHERE ("app_id" = ?) AND ("uuid" = ?))"),
              {appId, uuid});
    if (const auto* error = std::get_if<QString>(&existing))
        return StoreWrite::failure(*error);
    if (std::get<qint64>(existing) == 0)
        return StoreWrite::unchanged();
    return write(sql, values);
}

StoreWrite DatabaseManager::deleteCustomHotkey(const QString& appId, const QString& uuid)
{
    return writeCustomHotkey(
        appId, uuid, QStringLiteral(R"(DELETE FROM "CustomHotkeys" WHERE ("app_id" = ?) AND ("uuid" = ?))"),
        {appId, uuid});
}

StoreWrite DatabaseManager::saveCustomHotkeyState(const QString& appId, const QString& uuid, bool isEnabled,
                                                  bool isBookmarked)
{
    return writeCustomHotkey(
        appId, uuid,
        QStringLiteral(R"(UPDATE "CustomHotkeys" SET "is_enabled" = ?, "is_bookmarked" = ? )"
                       R"(WHERE ("app_id" = ?) AND ("uuid" = ?))"),
        {flag(isEnabled), flag(isBookmarked), appId, uuid});
}

StoreWrite DatabaseManager::incrementCustomHotkeyUsage(const QString& appId, const QString& uuid)
{
    return writeCustomHotkey(
        appId, uuid, QStringLiteral("UPDATE CustomHotkeys SET used = used + 1 WHERE app_id = ? AND uuid = ?"),
        {appId, uuid});
}

} // namespace tavlen
