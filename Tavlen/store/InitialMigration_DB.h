#pragma once

#include "store/Migration.h"

namespace tavlen {

// The applications and the per-element state of harvested menus.
class InitialMigration_DB final : public Migration {
public:
    static constexpr qint64 VERSION = 20230729213455;

    qint64 version() const override { return VERSION; }
    std::optional<QString> run(SqliteConnection& db) const override;

    static QString script();
};

} // namespace tavlen
