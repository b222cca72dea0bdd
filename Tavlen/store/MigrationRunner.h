#pragma once

#include "store/Migration.h"

#include <QString>
#include <optional>
#include <vector>

namespace tavlen {

class SqliteConnection;

// Brings a database up to the current schema. Every pending migration runs in its own
// transaction together with the record of its version, so a migration is either applied and
// recorded or not there at all.
class MigrationRunner {
public:
    explicit MigrationRunner(SqliteConnection& db) : m_db(db) {}

    // Applies the pending migrations in list order and stops at the first that fails; those
    // committed before it stay. Returns the failure's description.
    std::optional<QString> run(const std::vector<const Migration*>& migrations);

private:
    std::optional<QString> ensureBookkeepingTable();
    std::optional<QString> apply(const Migration& migration);
    std::optional<QString> record(qint64 version);

    SqliteConnection& m_db;
};

} // namespace tavlen
