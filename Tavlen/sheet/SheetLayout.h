#pragma once

#include "harvest/MenuItem.h"
#include "store/HotkeyState.h"
#include "store/ManualHotkey.h"

#include <QList>
#include <QString>
#include <optional>

namespace tavlen {

// The sheet is never measured: which entry lands in which column follows from entry counts
// alone. These functions are that arithmetic, shared by the model (which publishes the counts)
// and the layout below (which the view draws).

// More grid columns than this cannot be told apart on any screen; a larger setting (the
// settings file is editable by hand) would otherwise have the view build millions of cells.
inline constexpr qint64 maximumSheetColumns = 64;

// The grid columns of a sheet: the caller's demand when positive, else the setting, and never
// fewer than 1 (a zero or negative setting would leave no column to divide the entries over)
// nor more than maximumSheetColumns.
qint64 sheetColumnCount(qint64 forceAmountOfColumns, qint64 amountOfColumnsSetting);

// The grid columns given to menu groups: one column is kept for the custom shortcuts when
// there are any and at least two columns.
qint64 menuColumnCount(qint64 columns, qint64 customItems);

// Entries per menu column. When there are more entries than columns the last entry is left out
// of the count, and may fall past the last column: it never holds a row to draw, since every
// group with a drawable row is followed by that row's placeholder.
qint64 entriesPerColumn(qint64 columns, qint64 columnsAmount, qint64 entryCount);

// The entries [first, end) of one menu column; empty when the column starts past the list.
struct EntryRange {
    qint64 first = 0;
    qint64 end = 0;

    qint64 size() const { return end - first; }
    friend bool operator==(const EntryRange&, const EntryRange&) = default;
};
EntryRange columnEntryRange(qint64 column, qint64 columnHeight, qint64 entryCount);

// A cell of the grid, counted from the top-left; cells fill rows of `gridColumns` cells.
struct GridPosition {
    qint64 row = 0;
    qint64 column = 0;

    friend bool operator==(const GridPosition&, const GridPosition&) = default;
};
GridPosition gridPosition(qint64 cellIndex, qint64 gridColumns);

// The height the sheet may take before it scrolls: 0.7 of the main screen's visible height.
// Without a screen there is nothing to compare with, and the sheet always scrolls so that
// nothing is cut off.
double visibleAreaSize(std::optional<double> visibleFrameHeight);
// Scrolling is off while the area the sheet was given is lower than the visible area.
bool scrollingEnabled(double scrollViewSize, double visibleAreaSize);

// What a loaded sheet model publishes, as plain values (see MenuItemViewModel).
struct SheetContent {
    bool loaded = false;
    QString appTitle;
    QString bundleIdentifier;
    std::optional<QString> appIcon;
    qint64 columns = 0;
    qint64 columnsAmount = 0;
    qint64 columnHeight = 0;
    QList<MenuItem> groupedMenuItems;
    QList<ManualHotkey> customGlobalItems;
    QList<ManualHotkey> customAppItems;
    QList<HotkeyState> storedHotkeys;
    QList<HotkeyState> storedHotkeysGlobally;
    // One line on why the menus shown may be incomplete (the application did not answer, or
    // quit while it was read); empty when there is nothing to say.
    QString notice;
    // Why the application shows no menus at all (not on the accessibility bus, no menu bar),
    // with what to do; empty when it has menus or the reason is unknown.
    QString absence = {};
};

// The display settings the layout depends on, read once per layout.
struct SheetLayoutOptions {
    bool showAppIcon = true;
    bool showInactiveMenu = true;
    bool showCredits = true;
    double fontSize = 13.0;
};

// One row of a harvested element, with the flags its row starts from.
struct SheetRow {
    MenuItem element;
    bool bookmarked = false;
    bool hidden = false;
    bool hiddenGlobally = false;
};

// A heading and its rows. The heading of the application (when the first entry of the sheet is
// no titled group, or there is no entry at all) has no rows and no entry.
struct SheetSection {
    qint64 entryIndex = -1; // in groupedMenuItems; -1 for the application heading
    QString title;
    std::optional<QString> icon; // only on the first section of the first column
    bool isApplicationHeading = false;
    QList<SheetRow> rows;
};

struct SheetMenuColumn {
    GridPosition cell;
    EntryRange entries;
    QList<SheetSection> sections;
};

struct SheetCustomRow {
    ManualHotkey item;
    bool bookmarked = false;
    bool hidden = false;
};

// "Global Custom Shortcuts" or "<application> Custom Shortcuts", with the application its rows
// act on ("Global"/"global" for the global ones).
struct SheetCustomSection {
    QString title;
    QString appTitle;
    QString appIdentifier;
    QList<SheetCustomRow> rows;
};

struct SheetCustomColumn {
    GridPosition cell;
    QList<SheetCustomSection> sections;
};

// Everything the sheet view draws, placed: the view only turns it into widgets.
struct SheetLayout {
    qint64 gridColumns = 0;
    qint64 gridRows = 0; // 0 while the model has not loaded: the grid has no cells
    QList<SheetMenuColumn> menuColumns;
    std::optional<SheetCustomColumn> customColumn;
    bool showCredits = true;
    double headingFontSize = 20.0; // fontSize + 7
};

SheetLayout layOutSheet(const SheetContent& content, const SheetLayoutOptions& options);

// A row is drawn only for an element with a shortcut text (possibly empty, for an element shown
// because every menu entry is) that is active or whose inactive state is shown.
bool isDrawableRow(const MenuItem& element, bool showInactiveMenu);

} // namespace tavlen
