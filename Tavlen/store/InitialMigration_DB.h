#pragma once

#include <QString>
#include <QtGlobal>

namespace tavlen {

// The applications and the per-element state of harvested menus.
struct InitialMigration_DB {
    static constexpr qint64 VERSION = 20230729213455;
    static QString script();
};

} // namespace tavlen
