#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace tavlen {

class SqliteConnection;

// One step of the schema's history. Migrations are compiled in; none is read from disk.
class Migration {
public:
    virtual ~Migration() = default;

    // Recorded in "schema_migrations" once applied; a timestamp, so list order is version order.
    virtual qint64 version() const = 0;

    // Runs the migration's script as one multi-statement execution, which stops at the first
    // failing statement. Returns the failure's description.
    virtual std::optional<QString> run(SqliteConnection& db) const = 0;
};

} // namespace tavlen
