#include "sheet/view/LegendView.h"

#include "SheetViewFixture.h"
#include "sheet/view/RowColours.h"
#include "sheet/view/RowContentView.h"
#include "sheet/view/SymbolView.h"

#include <gtest/gtest.h>

using namespace tavlen;

namespace {

class LegendViewTest : public test::SheetViewFixture {
protected:
    static QStringList titles(const LegendView& legend)
    {
        QStringList titles;
        for (const RowContentView* line : legend.lines())
            titles.append(line->shownTitle());
        return titles;
    }
};

} // namespace

TEST_F(LegendViewTest, LinesFollowTheDisplaySettings)
{
    settings.setShowInactiveMenu(false);
    settings.setShowUserHiddenElements(false);
    LegendView three(settings);
    EXPECT_EQ(titles(three),
              (QStringList{"Normal Menu", "Search Documentation for selected text", "Bookmarked Menu"}));

    settings.setShowInactiveMenu(true);
    settings.setShowUserHiddenElements(true);
    LegendView six(settings);
    ASSERT_EQ(titles(six),
              (QStringList{"Normal Menu", "Search Documentation for selected text", "Bookmarked Menu",
                           "Inactive Menu", "User-Hidden Menu", "User-Hidden Globally Menu"}));
    EXPECT_EQ(six.lines().at(0)->keyText(), QStringLiteral("⌘ N"));
    EXPECT_EQ(six.lines().at(3)->textColour().rgb(), grayTextColour().rgb());
    EXPECT_EQ(six.lines().at(4)->textColour().rgb(), toQColor(Colours::hiddenColour).rgb());
    EXPECT_NEAR(six.lines().at(5)->textColour().alphaF(), 0.5, 0.01);
    EXPECT_EQ(six.lines().at(5)->textColour().rgb(), toQColor(Colours::hiddenGloballyColour).rgb());
}

TEST_F(LegendViewTest, EveryLineKeepsRoomForTheMarkOnlyTheBookmarkedShows)
{
    settings.setShowBookmarks(true);
    LegendView legend(settings);
    const double fs = settings.fontSize();
    for (const RowContentView* line : legend.lines()) {
        ASSERT_NE(line->bookmarkMark(), nullptr);
        EXPECT_EQ(line->bookmarkMark()->symbol(), QStringLiteral("bookmark.fill"));
        EXPECT_EQ(line->bookmarkMark()->sizeHint().width(), fs + 3);
        EXPECT_EQ(line->bookmarkMark()->symbolFont().pixelSize(), fs - 1);
        EXPECT_EQ(line->bookmarkMark()->opacity(), line->shownTitle() == "Bookmarked Menu" ? 1.0 : 0.0);
    }

    settings.setShowBookmarks(false);
    LegendView withoutMarks(settings);
    for (const RowContentView* line : withoutMarks.lines()) {
        ASSERT_NE(line->bookmarkMark(), nullptr);
        EXPECT_EQ(line->bookmarkMark()->opacity(), 0.0);
    }
}
