#include "store/MigrationRunner.h"

#include "store/SqliteConnection.h"

#include <QSet>

namespace tavlen {

std::optional<QString> MigrationRunner::run(const std::vector<const Migration*>& migrations)
{
    if (auto error = ensureBookkeepingTable())
        return error;

    SqliteStatement select = m_db.prepare(QStringLiteral(R"(SELECT "version" FROM "schema_migrations")"));
    if (!select.isValid())
        return m_db.lastError();
    QSet<qint64> applied;
    SqliteStatement::Step step = select.step();
    for (; step == SqliteStatement::Step::Row; step = select.step()) {
        if (const auto version = select.integer(0))
            applied.insert(*version);
    }
    if (step == SqliteStatement::Step::Error)
        return m_db.lastError();

    for (const Migration* migration : migrations) {
        if (applied.contains(migration->version()))
            continue;
        if (auto error = apply(*migration))
            return error;
    }
    return std::nullopt;
}

std::optional<QString> MigrationRunner::ensureBookkeepingTable()
{
    // Looked up first so that an up-to-date database sees nothing but reads.
    SqliteStatement exists = m_db.prepare(
        QStringLiteral(R"(SELECT count(*) FROM "sqlite_master" WHERE ("type" = ?) AND ("name" = ?))"));
    if (!exists.bind({QStringLiteral("table"), QStringLiteral("schema_migrations")}) ||
        exists.step() != SqliteStatement::Step::Row)
        return m_db.lastError();
    if (exists.integer(0).value_or(0) > 0)
        return std::nullopt;
    return m_db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS \"schema_migrations\" (\n"
                                       "    \"version\" INTEGER NOT NULL UNIQUE\n"
                                       ");"));
}

std::optional<QString> MigrationRunner::record(qint64 version)
{
    SqliteStatement insert =
        m_db.prepare(QStringLiteral(R"(INSERT INTO "schema_migrations" ("version") VALUES (?))"));
    if (!insert.bind({version}) || !insert.run())
        return m_db.lastError();
    return std::nullopt;
}

std::optional<QString> MigrationRunner::apply(const Migration& migration)
{
    if (auto error = m_db.execute(QStringLiteral("BEGIN TRANSACTION;")))
        return error;

    std::optional<QString> error = migration.run(m_db);
    if (!error)
        error = record(migration.version());
    if (!error)
        error = m_db.execute(QStringLiteral("COMMIT TRANSACTION;"));
    if (error) {
        // Some failures end the transaction by themselves; then there is nothing to roll back
        // and the rollback's own complaint says nothing new.
        m_db.execute(QStringLiteral("ROLLBACK TRANSACTION;"));
        return error;
    }
    return std::nullopt;
}

} // namespace tavlen
