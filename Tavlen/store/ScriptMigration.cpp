#include "store/ScriptMigration.h"

#include "store/SqliteConnection.h"

namespace tavlen {

std::optional<QString> ScriptMigration::run(SqliteConnection& db) const
{
    return db.execute(m_script);
}

} // namespace tavlen
