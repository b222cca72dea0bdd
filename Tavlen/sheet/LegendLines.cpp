#include "sheet/LegendLines.h"

#include "settings/AppSettings.h"

namespace tavlen {

QList<LegendLine> legendLines(bool showBookmarks, bool showInactiveMenu, bool showUserHiddenElements)
{
    QList<LegendLine> lines{
        {QStringLiteral("Normal Menu"), QStringLiteral("⌘ N"), RowTextStyle::normal(), false},
        {QStringLiteral("Search Documentation for selected text"), QStringLiteral("⌃⌘ S"),
         RowTextStyle::normal(), false},
        {QStringLiteral("Bookmarked Menu"), QStringLiteral("⌃⌥⌘ B"), RowTextStyle::normal(), showBookmarks},
    };
    if (showInactiveMenu)
        lines.append({QStringLiteral("Inactive Menu"), QStringLiteral("⇧⌘ H"), RowTextStyle::gray(), false});
    if (showUserHiddenElements) {
        lines.append(
            {QStringLiteral("User-Hidden Menu"), QStringLiteral("⌥⌘ Ü"), RowTextStyle::hidden(0.5), false});
        lines.append({QStringLiteral("User-Hidden Globally Menu"), QStringLiteral("⌃⌘ G"),
                      RowTextStyle::hiddenGlobally(0.5), false});
    }
    return lines;
}

QList<LegendLine> legendLines(const AppSettings& appSettings)
{
    return legendLines(appSettings.showBookmarks(), appSettings.showInactiveMenu(),
                       appSettings.showUserHiddenElements());
}

} // namespace tavlen
