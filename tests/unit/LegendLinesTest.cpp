#include "sheet/LegendLines.h"

#include <gtest/gtest.h>

using namespace tavlen;

namespace {

QStringList titlesOf(const QList<LegendLine>& lines)
{
    QStringList titles;
    for (const LegendLine& line : lines)
        titles.append(line.title);
    return titles;
}

TEST(LegendLines, OptionalLinesFollowTheirSettings)
{
    const QStringList always{QStringLiteral("Normal Menu"),
                             QStringLiteral("Search Documentation for selected text"),
                             QStringLiteral("Bookmarked Menu")};
    EXPECT_EQ(titlesOf(legendLines(true, false, false)), always);
    EXPECT_EQ(titlesOf(legendLines(true, true, false)),
              always + QStringList{QStringLiteral("Inactive Menu")});
    EXPECT_EQ(titlesOf(legendLines(true, false, true)),
              (always +
               QStringList{QStringLiteral("User-Hidden Menu"), QStringLiteral("User-Hidden Globally Menu")}));

    const QList<LegendLine> all = legendLines(true, true, true);
    EXPECT_EQ(
        all,
        (QList<LegendLine>{
            {QStringLiteral("Normal Menu"), QStringLiteral("⌘ N"), RowTextStyle::normal(), false},
            {QStringLiteral("Search Documentation for selected text"), QStringLiteral("⌃⌘ S"),
             RowTextStyle::normal(), false},
            {QStringLiteral("Bookmarked Menu"), QStringLiteral("⌃⌥⌘ B"), RowTextStyle::normal(), true},
            {QStringLiteral("Inactive Menu"), QStringLiteral("⇧⌘ H"), RowTextStyle::gray(), false},
            {QStringLiteral("User-Hidden Menu"), QStringLiteral("⌥⌘ Ü"), RowTextStyle::hidden(0.5), false},
            {QStringLiteral("User-Hidden Globally Menu"), QStringLiteral("⌃⌘ G"),
             RowTextStyle::hiddenGlobally(0.5), false},
        }));
}

TEST(LegendLines, BookmarkMarkOnlyWithBookmarksShown)
{
    for (const LegendLine& line : legendLines(false, true, true))
        EXPECT_FALSE(line.bookmarkVisible) << line.title.toStdString();
}

} // namespace
