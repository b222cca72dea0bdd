#include "sheet/SheetLayout.h"

#include "sheet/StoredFlagIndex.h"
#include "store/ElementKey.h"
#include "store/GlobalApp.h"

#include <QStringLiteral>
#include <algorithm>

namespace tavlen {

namespace {

const QString GLOBAL_IDENTIFIER = QLatin1String(global_app::IDENTIFIER);

SheetSection applicationHeading(const SheetContent& content, const SheetLayoutOptions& options)
{
    SheetSection heading;
    heading.title = content.appTitle;
    heading.isApplicationHeading = true;
    if (options.showAppIcon)
        heading.icon = content.appIcon;
    return heading;
}

QList<SheetCustomRow> customRows(const QList<ManualHotkey>& items)
{
    QList<SheetCustomRow> rows;
    rows.reserve(items.size());
    for (const ManualHotkey& item : items)
        rows.append(SheetCustomRow{item, item.isBookmarked, !item.isActive});
    return rows;
}

} // namespace

qint64 sheetColumnCount(qint64 forceAmountOfColumns, qint64 amountOfColumnsSetting)
{
    const qint64 n = forceAmountOfColumns > 0 ? forceAmountOfColumns : amountOfColumnsSetting;
    return std::clamp<qint64>(n, 1, maximumSheetColumns);
}

qint64 menuColumnCount(qint64 columns, qint64 customItems)
{
    return customItems >= 1 && columns >= 2 ? columns - 1 : columns;
}

qint64 entriesPerColumn(qint64 columns, qint64 columnsAmount, qint64 entryCount)
{
    qint64 runs = 1;
    if (columns < entryCount)
        runs = entryCount < 2 ? entryCount : entryCount - 1;
    const qint64 divisor = std::max<qint64>(columnsAmount, 1);
    const qint64 height = (runs + divisor - 1) / divisor;
    // The runs leave the last entry out whenever the count less one is a multiple of the
    // columns (and always with one column): every entry gets a place.
    if (height * divisor < entryCount)
        return (entryCount + divisor - 1) / divisor;
    return height;
}

EntryRange columnEntryRange(qint64 column, qint64 columnHeight, qint64 entryCount)
{
    const qint64 first = column * columnHeight;
    if (first >= entryCount)
        return {entryCount, entryCount};
    return {first, std::min((column + 1) * columnHeight, entryCount)};
}

GridPosition gridPosition(qint64 cellIndex, qint64 gridColumns)
{
    const qint64 width = std::max<qint64>(gridColumns, 1);
    return {cellIndex / width, cellIndex % width};
}

double visibleAreaSize(std::optional<double> visibleFrameHeight)
{
    if (!visibleFrameHeight || !(*visibleFrameHeight > 0))
        return 0.0;
    return 0.7 * *visibleFrameHeight;
}

bool scrollingEnabled(double scrollViewSize, double visibleAreaSize)
{
    return !(scrollViewSize < visibleAreaSize);
}

bool isDrawableRow(const MenuItem& element, bool showInactiveMenu)
{
    return element.keys.has_value() && (element.isActive || showInactiveMenu);
}

SheetLayout layOutSheet(const SheetContent& content, const SheetLayoutOptions& options)
{
    SheetLayout layout;
    layout.gridColumns = std::max<qint64>(content.columns, 1);
    layout.showCredits = options.showCredits;
    layout.headingFontSize = options.fontSize + 7;
    if (!content.loaded)
        return layout;

    const StoredFlagIndex appFlags(content.storedHotkeys);
    const StoredFlagIndex globalFlags(content.storedHotkeysGlobally);
    const QList<MenuItem>& entries = content.groupedMenuItems;
    const qint64 entryCount = entries.size();
    const qint64 columnsAmount = std::max<qint64>(content.columnsAmount, 1);

    for (qint64 c = 0; c < columnsAmount; ++c) {
        SheetMenuColumn column;
        column.cell = gridPosition(c, layout.gridColumns);
        column.entries = columnEntryRange(c, content.columnHeight, entryCount);
        if (entries.isEmpty() && c == 0)
            column.sections.append(applicationHeading(content, options));
        for (qint64 i = column.entries.first; i < column.entries.end; ++i) {
            const MenuItem& entry = entries.at(i);
            const bool isGroup = !entry.submenu.isEmpty() && !entry.title.isEmpty();
            if (!isGroup) {
                // Only the top of the sheet shows something for an entry that is no titled
                // group: the application, so that the sheet never starts without a heading.
                if (i == 0) {
                    SheetSection heading = applicationHeading(content, options);
                    heading.entryIndex = 0;
                    column.sections.append(std::move(heading));
                }
                continue;
            }
            SheetSection section;
            section.entryIndex = i;
            section.title = entry.title;
            if (i == 0 && options.showAppIcon)
                section.icon = content.appIcon;
            for (const MenuItem& element : entry.submenu) {
                if (!isDrawableRow(element, options.showInactiveMenu))
                    continue;
                ElementFlags flags;
                bool hiddenGlobally = false;
                if (!appFlags.isEmpty() || !globalFlags.isEmpty()) {
                    const QString key = elementKey(element.title, *element.keys);
                    flags = appFlags.findKey(key);
                    hiddenGlobally = globalFlags.findKey(key).hidden;
                }
                section.rows.append(SheetRow{element, flags.bookmarked, flags.hidden, hiddenGlobally});
            }
            column.sections.append(std::move(section));
        }
        layout.menuColumns.append(std::move(column));
    }

    qint64 cells = columnsAmount;
    if (!content.customGlobalItems.isEmpty() || !content.customAppItems.isEmpty()) {
        SheetCustomColumn custom;
        custom.cell = gridPosition(columnsAmount, layout.gridColumns);
        if (!content.customGlobalItems.isEmpty())
            custom.sections.append(SheetCustomSection{QStringLiteral("Global Custom Shortcuts"),
                                                      QStringLiteral("Global"), GLOBAL_IDENTIFIER,
                                                      customRows(content.customGlobalItems)});
        if (!content.customAppItems.isEmpty())
            custom.sections.append(SheetCustomSection{content.appTitle + QStringLiteral(" Custom Shortcuts"),
                                                      content.appTitle, content.bundleIdentifier,
                                                      customRows(content.customAppItems)});
        layout.customColumn = std::move(custom);
        ++cells;
    }
    layout.gridRows = (cells + layout.gridColumns - 1) / layout.gridColumns;
    return layout;
}

} // namespace tavlen
