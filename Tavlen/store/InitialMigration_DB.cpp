#include "store/InitialMigration_DB.h"

namespace tavlen {

QString InitialMigration_DB::script()
{
    return QStringLiteral(R"sql(CREATE TABLE IF NOT EXISTS "Apps" (
    "identifier" TEXT NOT NULL UNIQUE,
    "title" TEXT NOT NULL
);
CREATE TABLE IF NOT EXISTS "Hotkeys" (
    "app_id" TEXT NOT NULL,
    "title" TEXT NOT NULL,
    "value" TEXT NOT NULL,
    "is_hidden" INTEGER NOT NULL DEFAULT 0,
    "is_bookmarked" INTEGER NOT NULL DEFAULT 0,
    "used" INTEGER NOT NULL DEFAULT 0,
    FOREIGN KEY("app_id") REFERENCES "Apps"("identifier")
);
CREATE UNIQUE INDEX IF NOT EXISTS "ByApp" ON "Apps" (
    "identifier" ASC
);
CREATE UNIQUE INDEX IF NOT EXISTS "ByAppTitleHotkey" ON "Hotkeys" (
    "app_id" ASC,
    "title" ASC,
    "value" ASC
);
CREATE INDEX IF NOT EXISTS "ByAppHotkey" ON "Hotkeys" (
    "app_id" ASC,
    "value" ASC
);
)sql");
}

} // namespace tavlen
