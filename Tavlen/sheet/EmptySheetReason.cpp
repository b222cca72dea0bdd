#include "sheet/EmptySheetReason.h"

#include "harvest/MenuAbsence.h"

#include <algorithm>

namespace tavlen {

std::optional<QString> emptySheetReason(const SheetContent& content, const SheetLayout& layout)
{
    // A heading alone (the application's, over nothing) is no entry.
    const auto hasRows = [](const SheetMenuColumn& column) {
        return std::any_of(column.sections.cbegin(), column.sections.cend(),
                           [](const SheetSection& section) { return !section.rows.isEmpty(); });
    };
    const bool anyRow = layout.customColumn.has_value() ||
                        std::any_of(layout.menuColumns.cbegin(), layout.menuColumns.cend(), hasRows);
    if (anyRow || !content.notice.isEmpty())
        return std::nullopt;
    const QString name = content.appTitle.isEmpty() ? content.bundleIdentifier : content.appTitle;
    if (!content.loaded)
        return name.isEmpty() ? QStringLiteral("Reading the menus…")
                              : QStringLiteral("Reading the menus of %1…").arg(name);
    if (content.bundleIdentifier.isEmpty())
        return QStringLiteral("No application is in front: click into one, then ask again.");
    if (!content.absence.isEmpty())
        return content.absence;
    return noShortcutText(name);
}

} // namespace tavlen
