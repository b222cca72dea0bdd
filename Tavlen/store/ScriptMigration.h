#pragma once

#include "store/Migration.h"

#include <utility>

namespace tavlen {

// A step of the schema's history that is one SQL script, such as CustomHotkeys_BD's.
class ScriptMigration final : public Migration {
public:
    ScriptMigration(qint64 version, QString script) : m_version(version), m_script(std::move(script)) {}

    qint64 version() const override { return m_version; }
    std::optional<QString> run(SqliteConnection& db) const override;

private:
    qint64 m_version;
    QString m_script;
};

} // namespace tavlen
