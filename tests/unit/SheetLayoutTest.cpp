#include "sheet/SheetLayout.h"

#include "settings/LimitedTitle.h"
#include "store/ElementKey.h"
#include "support/SheetContentFixture.h"

#include <gtest/gtest.h>
#include <limits>

using namespace tavlen;
using tavlen::test::element;
using tavlen::test::group;

namespace {

// The entry ranges of all menu columns, as the columns' model counts give them.
QList<EntryRange> distribution(qint64 columns, qint64 customItems, qint64 entries)
{
    const qint64 amount = menuColumnCount(columns, customItems);
    const qint64 height = entriesPerColumn(columns, amount, entries);
    QList<EntryRange> ranges;
    for (qint64 c = 0; c < amount; ++c)
        ranges.append(columnEntryRange(c, height, entries));
    return ranges;
}

TEST(SheetLayoutTest, EntriesAreCutIntoEqualRunsPerColumn)
{
    // 4 columns, 7 entries: 6 runs of 2.
    EXPECT_EQ(distribution(4, 0, 7), (QList<EntryRange>{{0, 2}, {2, 4}, {4, 6}, {6, 7}}));
    // 3 columns, 7 entries: 6 runs of 2 would leave the last entry out; every entry is placed.
    EXPECT_EQ(distribution(3, 0, 7), (QList<EntryRange>{{0, 3}, {3, 6}, {6, 7}}));
    // 5 columns, 3 entries: one entry each, the last two columns empty.
    EXPECT_EQ(distribution(5, 0, 3), (QList<EntryRange>{{0, 1}, {1, 2}, {2, 3}, {3, 3}, {3, 3}}));
    // Custom shortcuts take a column of 4 ...
    EXPECT_EQ(menuColumnCount(4, 2), 3);
    EXPECT_EQ(distribution(4, 2, 7), (QList<EntryRange>{{0, 3}, {3, 6}, {6, 7}}));
    // ... but not the only one, which holds every entry.
    EXPECT_EQ(menuColumnCount(1, 2), 1);
    EXPECT_EQ(distribution(1, 2, 7), (QList<EntryRange>{{0, 7}}));
    EXPECT_EQ(distribution(5, 2, 5), (QList<EntryRange>{{0, 2}, {2, 4}, {4, 5}, {5, 5}}));
    // Nothing harvested.
    EXPECT_EQ(entriesPerColumn(4, 4, 0), 1);
    EXPECT_EQ(distribution(2, 0, 0), (QList<EntryRange>{{0, 0}, {0, 0}}));
    EXPECT_EQ(distribution(1, 0, 1), (QList<EntryRange>{{0, 1}}));
}

TEST(SheetLayoutTest, ColumnCountIsNeverBelowOne)
{
    EXPECT_EQ(sheetColumnCount(0, 4), 4);
    EXPECT_EQ(sheetColumnCount(1, 4), 1);
    EXPECT_EQ(sheetColumnCount(3, 0), 3);
    EXPECT_EQ(sheetColumnCount(0, 0), 1);
    EXPECT_EQ(sheetColumnCount(-2, -7), 1);
    EXPECT_EQ(sheetColumnCount(0, 2147483647), maximumSheetColumns);
    // A zero column count reaching the division directly is still defined.
    EXPECT_EQ(entriesPerColumn(0, 0, 5), 5);
    EXPECT_EQ(gridPosition(5, 0), (GridPosition{5, 0}));
}

TEST(SheetLayoutTest, CellsFillRowsOfGridColumns)
{
    EXPECT_EQ(gridPosition(3, 4), (GridPosition{0, 3}));
    EXPECT_EQ(gridPosition(1, 1), (GridPosition{1, 0}));
    EXPECT_EQ(gridPosition(4, 2), (GridPosition{2, 0}));
}

TEST(SheetLayoutTest, ScrollsOnlyWhenGivenTheVisibleAreaOrMore)
{
    const double area = visibleAreaSize(1000.0);
    EXPECT_DOUBLE_EQ(area, 700.0);
    EXPECT_FALSE(scrollingEnabled(699.5, area));
    EXPECT_TRUE(scrollingEnabled(700.0, area));
    EXPECT_TRUE(scrollingEnabled(900.0, area));
    // Without a screen, never cut the sheet off.
    EXPECT_TRUE(scrollingEnabled(0.0, visibleAreaSize(std::nullopt)));
    EXPECT_TRUE(scrollingEnabled(0.0, visibleAreaSize(-5.0)));
}

class SheetLayoutContentTest : public ::testing::Test {
protected:
    SheetLayoutContentTest()
    {
        content.appIcon = QStringLiteral("editor");
        const MenuItem copy = element(QStringLiteral("Copy"), QStringLiteral("⌘ C"));
        const MenuItem cut = element(QStringLiteral("Cut"), QStringLiteral("⌘ X"), false);
        const MenuItem undo = element(QStringLiteral("Undo"), QStringLiteral("⌘ Z"));
        content.groupedMenuItems = {group(QStringLiteral("Edit"), {copy, cut}), copy, cut,
                                    group(QStringLiteral("History"), {undo}), undo};
        content.columns = 2;
        content.columnsAmount = 2;
        content.columnHeight = entriesPerColumn(2, 2, content.groupedMenuItems.size());
    }

    SheetContent content = test::editorSheet();
    SheetLayoutOptions options;
};

TEST_F(SheetLayoutContentTest, GroupsDrawWholeInTheColumnOfTheirEntry)
{
    const SheetLayout layout = layOutSheet(content, options);
    ASSERT_EQ(layout.menuColumns.size(), 2);
    EXPECT_EQ(layout.gridColumns, 2);
    EXPECT_EQ(layout.gridRows, 1);
    EXPECT_FALSE(layout.customColumn.has_value());
    EXPECT_DOUBLE_EQ(layout.headingFontSize, 20.0);

    const SheetMenuColumn& first = layout.menuColumns[0];
    EXPECT_EQ(first.entries, (EntryRange{0, 3}));
    ASSERT_EQ(first.sections.size(), 1);
    EXPECT_EQ(first.sections[0].title, QStringLiteral("Edit"));
    EXPECT_EQ(first.sections[0].icon, QStringLiteral("editor"));
    ASSERT_EQ(first.sections[0].rows.size(), 2); // Cut, inactive, is shown by default

    const SheetMenuColumn& second = layout.menuColumns[1];
    ASSERT_EQ(second.sections.size(), 1);
    EXPECT_EQ(second.sections[0].title, QStringLiteral("History"));
    EXPECT_EQ(second.sections[0].entryIndex, 3);
    EXPECT_FALSE(second.sections[0].icon.has_value());

    options.showInactiveMenu = false;
    options.showAppIcon = false;
    const SheetLayout reduced = layOutSheet(content, options);
    ASSERT_EQ(reduced.menuColumns[0].sections[0].rows.size(), 1);
    EXPECT_EQ(reduced.menuColumns[0].sections[0].rows[0].element.title, QStringLiteral("Copy"));
    EXPECT_FALSE(reduced.menuColumns[0].sections[0].icon.has_value());
}

TEST_F(SheetLayoutContentTest, RowsStartFromTheirStoredFlags)
{
    content.storedHotkeys = {{elementKey(QStringLiteral("Copy"), QStringLiteral("⌘ C")), true, false},
                             {elementKey(QStringLiteral("Copy"), QStringLiteral("⌘ C")), false, true},
                             {elementKey(QStringLiteral("Undo"), QStringLiteral("⌘ Z")), false, true}};
    content.storedHotkeysGlobally = {
        {elementKey(QStringLiteral("Undo"), QStringLiteral("⌘ Z")), false, true}};
    const SheetLayout layout = layOutSheet(content, options);

    const SheetRow& copy = layout.menuColumns[0].sections[0].rows[0];
    EXPECT_TRUE(copy.bookmarked) << "the first stored row of a key wins";
    EXPECT_FALSE(copy.hidden);
    const SheetRow& undo = layout.menuColumns[1].sections[0].rows[0];
    EXPECT_TRUE(undo.hidden);
    EXPECT_TRUE(undo.hiddenGlobally);
    const SheetRow& cut = layout.menuColumns[0].sections[0].rows[1];
    EXPECT_FALSE(cut.bookmarked || cut.hidden || cut.hiddenGlobally);
}

TEST_F(SheetLayoutContentTest, CustomColumnAfterTheMenuColumns)
{
    ManualHotkey global;
    global.title = QStringLiteral("Terminal");
    global.isBookmarked = true;
    ManualHotkey local;
    local.title = QStringLiteral("Wrap");
    local.isActive = false;
    content.customGlobalItems = {global};
    content.customAppItems = {local};
    content.columns = 3;
    content.columnsAmount = 2;

    const SheetLayout layout = layOutSheet(content, options);
    ASSERT_TRUE(layout.customColumn.has_value());
    EXPECT_EQ(layout.customColumn->cell, (GridPosition{0, 2}));
    ASSERT_EQ(layout.customColumn->sections.size(), 2);
    const SheetCustomSection& first = layout.customColumn->sections[0];
    EXPECT_EQ(first.title, QStringLiteral("Global Custom Shortcuts"));
    EXPECT_EQ(first.appTitle, QStringLiteral("Global"));
    EXPECT_EQ(first.appIdentifier, QStringLiteral("global"));
    ASSERT_EQ(first.rows.size(), 1);
    EXPECT_TRUE(first.rows[0].bookmarked);
    EXPECT_FALSE(first.rows[0].hidden);
    const SheetCustomSection& second = layout.customColumn->sections[1];
    EXPECT_EQ(second.title, QStringLiteral("Editor Custom Shortcuts"));
    EXPECT_EQ(second.appIdentifier, QStringLiteral("org.example.Editor"));
    ASSERT_EQ(second.rows.size(), 1);
    EXPECT_TRUE(second.rows[0].hidden);

    // Only application shortcuts: one section.
    content.customGlobalItems.clear();
    EXPECT_EQ(layOutSheet(content, options).customColumn->sections.size(), 1);

    // One grid column: the custom column forms a second grid row.
    content.columns = 1;
    content.columnsAmount = 1;
    const SheetLayout stacked = layOutSheet(content, options);
    EXPECT_EQ(stacked.customColumn->cell, (GridPosition{1, 0}));
    EXPECT_EQ(stacked.gridRows, 2);
}

TEST_F(SheetLayoutContentTest, NothingBeforeLoadingAndAHeadingWithoutEntries)
{
    content.loaded = false;
    const SheetLayout before = layOutSheet(content, options);
    EXPECT_TRUE(before.menuColumns.isEmpty());
    EXPECT_FALSE(before.customColumn.has_value());
    EXPECT_EQ(before.gridRows, 0);

    content.loaded = true;
    content.groupedMenuItems.clear();
    const SheetLayout empty = layOutSheet(content, options);
    ASSERT_EQ(empty.menuColumns.size(), 2);
    ASSERT_EQ(empty.menuColumns[0].sections.size(), 1);
    EXPECT_TRUE(empty.menuColumns[0].sections[0].isApplicationHeading);
    EXPECT_EQ(empty.menuColumns[0].sections[0].title, QStringLiteral("Editor"));
    EXPECT_TRUE(empty.menuColumns[1].sections.isEmpty());

    // An untitled group draws nothing unless it opens the sheet.
    content.groupedMenuItems = {element(QStringLiteral("Lone"), QStringLiteral("⌘ L")),
                                group(QString(), {element(QStringLiteral("Odd"), QStringLiteral("⌘ O"))})};
    content.columns = content.columnsAmount = 1;
    content.columnHeight = 2;
    const SheetLayout untitled = layOutSheet(content, options);
    ASSERT_EQ(untitled.menuColumns[0].sections.size(), 1);
    EXPECT_TRUE(untitled.menuColumns[0].sections[0].isApplicationHeading);
    EXPECT_TRUE(untitled.menuColumns[0].sections[0].rows.isEmpty());
}

TEST(LimitedTitleTest, CutsAfterWholeCharactersAndTrimsSpaces)
{
    const QString twentyOne = QStringLiteral("Abcdefghijklmnopqrstu");
    EXPECT_EQ(limitedTitle(twentyOne, true, 10), QStringLiteral("Abcdefghij…"));
    EXPECT_EQ(limitedTitle(QStringLiteral("Open File"), true, 10), QStringLiteral("Open File"));
    EXPECT_EQ(limitedTitle(QStringLiteral("Open File Now"), true, 10), QStringLiteral("Open File…"));
    EXPECT_EQ(limitedTitle(QStringLiteral("Exactly10!"), true, 10), QStringLiteral("Exactly10!"));
    EXPECT_EQ(limitedTitle(QStringLiteral("  Padded  "), true, 45), QStringLiteral("Padded"));
    // Only the space character is trimmed.
    EXPECT_EQ(limitedTitle(QStringLiteral("\tTabbed"), true, 45), QStringLiteral("\tTabbed"));
    EXPECT_EQ(limitedTitle(twentyOne, true, 10.9), QStringLiteral("Abcdefghij…"));
    EXPECT_EQ(limitedTitle(twentyOne, false, 10), twentyOne);
    EXPECT_EQ(limitedTitle(twentyOne, true, -3), QStringLiteral("…"));
    EXPECT_EQ(limitedTitle(twentyOne, true, std::numeric_limits<double>::quiet_NaN()), QStringLiteral("…"));
    EXPECT_EQ(limitedTitle(QString(), true, 0), QString());
}

TEST(LimitedTitleTest, NeverCutsACharacterApart)
{
    // "e" with a combining acute accent, then emoji outside the 16-bit range.
    const QString accented = QStringLiteral("Caf") + QStringLiteral("e\u0301") + QStringLiteral(" au lait");
    EXPECT_EQ(limitedTitle(accented, true, 4),
              QStringLiteral("Caf") + QStringLiteral("e\u0301") + QStringLiteral("…"));
    const QString emoji = QStringLiteral("\U0001F600\U0001F601\U0001F602");
    EXPECT_EQ(limitedTitle(emoji, true, 2), QStringLiteral("\U0001F600\U0001F601…"));
    EXPECT_EQ(limitedTitle(emoji, true, 3), emoji);
    const QString flags = QStringLiteral("\U0001F1E9\U0001F1EA\U0001F1EB\U0001F1F7");
    EXPECT_EQ(limitedTitle(flags, true, 1), QStringLiteral("\U0001F1E9\U0001F1EA…"));
}

} // namespace
