#pragma once

#include "store/Migration.h"

namespace tavlen {

// The user's own shortcuts. (The name ends in "_BD"; it is recorded so in older databases'
// history and kept as it is.)
class CustomHotkeys_BD final : public Migration {
public:
    static constexpr qint64 VERSION = 20230829001553;

    qint64 version() const override { return VERSION; }
    std::optional<QString> run(SqliteConnection& db) const override;

    static QString script();
};

} // namespace tavlen
