#include "store/CustomHotkeys_BD.h"

namespace tavlen {

QString CustomHotkeys_BD::script()
{
    return QStringLiteral(R"sql(CREATE TABLE IF NOT EXISTS "CustomHotkeys" (
    "app_id" TEXT NOT NULL,
    "uuid" TEXT NOT NULL UNIQUE,
    "title" TEXT NOT NULL,
    "value" TEXT NOT NULL,
    "raw_value" INTEGER NOT NULL DEFAULT 0,
    "raw_modifier" INTEGER NOT NULL DEFAULT 0,
    "is_enabled" INTEGER NOT NULL DEFAULT 0,
    "is_bookmarked" INTEGER NOT NULL DEFAULT 0,
    "used" INTEGER NOT NULL DEFAULT 0,
    FOREIGN KEY("app_id") REFERENCES "Apps"("identifier")
);
CREATE UNIQUE INDEX IF NOT EXISTS "ByAppTitleCustomHotkey" ON "CustomHotkeys" (
    "app_id" ASC,
    "title" ASC
);
CREATE UNIQUE INDEX IF NOT EXISTS "ByAppTitle" ON "Apps" (
    "title" ASC,
    "identifier" ASC
);
)sql");
}

} // namespace tavlen
