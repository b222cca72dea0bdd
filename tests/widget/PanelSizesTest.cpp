#include "sheet/view/PanelSizes.h"

#include "SheetViewFixture.h"
#include "sheet/view/HotkeysView.h"
#include "sheet/view/HoverableItemView.h"
#include "sheet/view/LegendView.h"
#include "sheet/view/MenuItemView.h"
#include "sheet/view/NoAccessView.h"
#include "sheet/view/PersistentView.h"
#include "sheet/view/RowContentView.h"
#include "sheet/view/TitleView.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <gtest/gtest.h>

using namespace tavlen;

TEST(PanelSizesTest, ShortcutPanelFollowsTheScreenOnlyForOtherApplications)
{
    EXPECT_EQ(hotkeysPanelSize(true, QSizeF(1440, 875)), QSizeF(1152, 612.5));
    // A low screen: the height floor of 350 applies.
    EXPECT_EQ(hotkeysPanelSize(true, QSizeF(1280, 450)), QSizeF(1024, 350));
    EXPECT_EQ(hotkeysPanelSize(true, QSizeF(1000, 500)), QSizeF(800, 350));
    EXPECT_EQ(hotkeysPanelSize(true, QSizeF(1000, 501)), QSizeF(800, 350.7));
    // Asked for while Tavlen is frontmost: fixed, whatever the screen.
    EXPECT_EQ(hotkeysPanelSize(false, QSizeF(1440, 875)), QSizeF(600, 350));
    EXPECT_EQ(hotkeysPanelSize(false, QSizeF(640, 200)), QSizeF(600, 350));
}

TEST(PanelSizesTest, PersistentPanelIsAQuarterWideWithoutFloor)
{
    EXPECT_EQ(persistentPanelSize(QSizeF(1440, 875)), QSizeF(360, 612.5));
    EXPECT_EQ(persistentPanelSize(QSizeF(1280, 450)), QSizeF(320, 315));
}

TEST(PanelSizesTest, WithoutAScreenThePanelsTakeTheOwnPanelSize)
{
    EXPECT_EQ(hotkeysPanelSize(true, visibleFrameOrFallback(std::nullopt)), QSizeF(600, 350));
    EXPECT_EQ(hotkeysPanelSize(true, visibleFrameOrFallback(QSizeF(0, 0))), QSizeF(600, 350));
    EXPECT_EQ(visibleFrameOrFallback(QSizeF(1440, 875)), QSizeF(1440, 875));
}

namespace {

class PanelContentTest : public test::SheetViewFixture {};

} // namespace

TEST_F(PanelContentTest, ShortcutPanelForAnotherApplicationShowsTheSheetOrTheRequest)
{
    installGeany();
    HotkeysView content(services(), true, QSizeF(1440, 875));
    EXPECT_EQ(content.panelWidth(), 1152);
    EXPECT_EQ(content.panelHeight(), 612.5);
    EXPECT_EQ(content.size(), QSize(1152, 613));
    ASSERT_NE(content.sheet(), nullptr);
    EXPECT_EQ(content.legend(), nullptr);
    EXPECT_EQ(content.noAccess(), nullptr);
    EXPECT_EQ(content.sheet()->viewModel().forceAmountOfColumns(), 0);
    EXPECT_EQ(content.sheet()->visibleAreaSize(), 0.7 * 875);

    accessibility.setTrusted(false);
    accessibility.setPromptGrantsTrust(false);
    HotkeysView refused(services(), true, QSizeF(1280, 450));
    EXPECT_EQ(refused.size(), QSize(1024, 350));
    EXPECT_EQ(refused.sheet(), nullptr);
    ASSERT_NE(refused.noAccess(), nullptr);
    // Deciding asked for trust with the prompt; the button asks again.
    const int prompts = accessibility.promptCount();
    EXPECT_GE(prompts, 1);
    refused.noAccess()->openButton()->click();
    EXPECT_EQ(accessibility.promptCount(), prompts + 1);
}

TEST_F(PanelContentTest, ShortcutPanelWhileTavlenIsFrontmostShowsTheLegend)
{
    HotkeysView own(services(), false, QSizeF(1440, 875));
    EXPECT_EQ(own.size(), QSize(600, 350));
    EXPECT_EQ(own.sheet(), nullptr);
    ASSERT_NE(own.legend(), nullptr);
    EXPECT_EQ(own.legend()->width(), 350);
    // Over Tavlen's Settings the legend says what it is, above its lines.
    ASSERT_NE(own.legendCaption(), nullptr);
    EXPECT_EQ(own.legendCaption()->text(), HotkeysView::legendCaptionText());
    layOut(own, own.size());
    EXPECT_LT(own.legendCaption()->geometry().bottom(), own.legend()->geometry().top());
    EXPECT_LE(own.legend()->geometry().bottom(), own.height()) << "the caption pushes no line out";

    accessibility.setTrusted(false);
    accessibility.setPromptGrantsTrust(false);
    HotkeysView refused(services(), false, QSizeF(1440, 875));
    EXPECT_EQ(refused.legend(), nullptr);
    EXPECT_EQ(refused.legendCaption(), nullptr);
    EXPECT_NE(refused.noAccess(), nullptr);
}

TEST_F(PanelContentTest, PersistentPanelShowsOneColumnOrTavlensHeading)
{
    installGeany();
    PersistentView sheet(services(), test::GEANY, QSizeF(1440, 875));
    EXPECT_EQ(sheet.panelWidth(), 360);
    EXPECT_EQ(sheet.panelHeight(), 612.5);
    ASSERT_NE(sheet.sheet(), nullptr);
    EXPECT_EQ(sheet.sheet()->viewModel().forceAmountOfColumns(), 1);

    // Tavlen frontmost: the hint only when three presses of Command toggle the panel.
    settings.setActivationPersistentKeyType(0);
    PersistentView withoutHint(services(), QString(AppSettings::APP_IDENTIFIER), QSizeF(1440, 875));
    EXPECT_EQ(withoutHint.sheet(), nullptr);
    EXPECT_EQ(withoutHint.hint(), nullptr);
    EXPECT_EQ(withoutHint.noAccess(), nullptr);
    settings.setActivationPersistentKeyType(1);
    PersistentView withHint(services(), QString(AppSettings::APP_IDENTIFIER), QSizeF(1440, 875));
    ASSERT_NE(withHint.hint(), nullptr);
    EXPECT_EQ(withHint.hint()->text(), QStringLiteral("Press the ⌘ key three times to toggle this panel"));

    accessibility.setTrusted(false);
    accessibility.setPromptGrantsTrust(false);
    PersistentView refused(services(), QString(AppSettings::APP_IDENTIFIER), QSizeF(1440, 875));
    EXPECT_NE(refused.noAccess(), nullptr);
}

TEST_F(PanelContentTest, AppearanceSettingForcesTheScheme)
{
    const auto lightness = [](const QWidget& widget) {
        return widget.palette().color(QPalette::Window).lightness();
    };
    settings.setAppearance(QStringLiteral("dark"));
    HotkeysView dark(services(), false, QSizeF(1440, 875));
    settings.setAppearance(QStringLiteral("light"));
    HotkeysView light(services(), false, QSizeF(1440, 875));
    EXPECT_LT(lightness(dark), 100);
    EXPECT_GT(lightness(light), 200);
    EXPECT_GT(dark.palette().color(QPalette::WindowText).lightness(), 200);
    EXPECT_TRUE(dark.autoFillBackground());

    // System (and a value that names no scheme) leaves the inherited palette alone.
    for (const QString& value : {QStringLiteral("system"), QStringLiteral("sepia")}) {
        settings.setAppearance(value);
        HotkeysView system(services(), false, QSizeF(1440, 875));
        EXPECT_EQ(system.palette(), QWidget().palette()) << value.toStdString();
    }
}

TEST_F(PanelContentTest, TheShortcutPanelGrowsWithItsSheetUpToTheScreenAndTheSheetScrollsBeyond)
{
    installGeany();
    settings.setAmountOfColumns(4);
    addCustom(test::GEANY, QStringLiteral("6F1A2B3C-4D5E-4F60-8172-93A4B5C6D7E8"),
              QStringLiteral("Build all"));

    // Three menu columns of Geany's groups are taller than 0.7 of the screen: the panel grows.
    HotkeysView grown(services(), true, QSizeF(1440, 875));
    grown.sheet()->loadSheet();
    EXPECT_GT(grown.height(), 613);
    EXPECT_LE(grown.height(), 875);
    layOut(grown, grown.size());
    EXPECT_FALSE(grown.sheet()->contentOverflows());

    // A low screen: the panel takes its whole height, and the rest is a scroll away.
    HotkeysView low(services(), true, QSizeF(1280, 450));
    low.sheet()->loadSheet();
    EXPECT_EQ(low.height(), 450);
    layOut(low, low.size());
    MenuItemView& sheet = *low.sheet();
    ASSERT_TRUE(sheet.contentOverflows());
    EXPECT_TRUE(sheet.isScrollingEnabled());
    QScrollBar* bar = sheet.scrollArea()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    QWheelEvent wheel(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(sheet.scrollArea()->viewport(), &wheel);
    EXPECT_GT(bar->value(), 0) << "the wheel moves the sheet";
}

namespace {

// The top and bottom of every row of the sheet, in the coordinates of what scrolls.
QList<std::pair<int, int>> rowSpans(MenuItemView& sheet)
{
    QWidget* grid = sheet.scrollArea()->widget();
    QList<std::pair<int, int>> spans;
    for (const QWidget* row : sheet.elementRows()) {
        const int top = row->mapTo(grid, QPoint(0, 0)).y();
        spans.append({top, top + row->height()});
    }
    std::sort(spans.begin(), spans.end());
    return spans;
}

// Whether some row is cut by the top or the bottom of the room at the sheet's scroll position.
bool rowCutAt(MenuItemView& sheet, int top, int bottom)
{
    for (const auto& [rowTop, rowBottom] : rowSpans(sheet))
        if ((rowTop < top && rowBottom > top) || (rowTop < bottom && rowBottom > bottom))
            return true;
    return false;
}

} // namespace

TEST_F(PanelContentTest, ThePersistentColumnGrowsByTheSameRuleAndPagesFromRowToRow)
{
    installGeany();
    PersistentView tall(services(), test::GEANY, QSizeF(1440, 1900));
    tall.sheet()->loadSheet();
    EXPECT_GT(tall.height(), 1330) << "one column of Geany's menus is taller than 0.7 of the screen";
    EXPECT_LE(tall.height(), 1900);
    layOut(tall, tall.size());
    EXPECT_FALSE(tall.sheet()->contentOverflows());

    PersistentView low(services(), test::GEANY, QSizeF(1440, 875));
    low.sheet()->loadSheet();
    EXPECT_EQ(low.height(), 875);
    layOut(low, low.size());
    MenuItemView& sheet = *low.sheet();
    ASSERT_TRUE(sheet.contentOverflows());
    QScrollBar* bar = sheet.scrollArea()->verticalScrollBar();
    const int room = sheet.scrollArea()->viewport()->height();

    // Page by page to the end: each page starts with the row the last one cut, so every row is
    // seen whole on some page, and the pages cover the sheet without a gap.
    QList<std::pair<int, int>> seen;
    int previous = -1;
    for (int page = 0; page < 50 && bar->value() != previous; ++page) {
        const int top = bar->value();
        for (const auto& span : rowSpans(sheet))
            if (span.first >= top && span.second <= top + room && !seen.contains(span))
                seen.append(span);
        previous = top;
        sheet.scrollPage(1);
        if (bar->value() != bar->maximum()) {
            EXPECT_FALSE(rowCutAt(sheet, bar->value(), bar->value())) << "a page starts at a row's top";
        }
        EXPECT_LE(bar->value(), previous + room);
    }
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(seen.size(), rowSpans(sheet).size()) << "no row is only ever seen cut";

    // Back up: the row that was at the top ends the previous page, whole.
    const int top = bar->value();
    sheet.scrollPage(-1);
    EXPECT_LT(bar->value(), top);
    EXPECT_GE(bar->value(), top - room);

    sheet.scrollToEnd(false);
    EXPECT_EQ(bar->value(), 0);
    sheet.scrollToEnd(true);
    EXPECT_EQ(bar->value(), bar->maximum());
    const auto [lastTop, lastBottom] = rowSpans(sheet).last();
    EXPECT_LE(lastBottom, bar->value() + room) << "the last row is reachable whole";
}

TEST_F(PanelContentTest, ATitleThatWrapsInANarrowColumnMakesItsRowTallerAndIsNeverCut)
{
    installGeany();
    settings.setAmountOfColumns(4);
    HotkeysView panel(services(), true, QSizeF(1440, 875));
    panel.sheet()->loadSheet();
    layOut(panel, panel.size());
    int wrapped = 0;
    for (HoverableItemView* row : panel.sheet()->elementRows()) {
        const TitleView* title = row->content().titleView();
        SCOPED_TRACE(title->text().toStdString());
        const int needed = title->heightForWidth(title->width());
        EXPECT_GE(title->height(), needed);
        wrapped += needed > title->fontMetrics().height() + 2 ? 1 : 0;
    }
    EXPECT_GT(wrapped, 0) << "four columns leave some of Geany's titles too little room for one line";
    EXPECT_FALSE(panel.sheet()->contentOverflows()) << "the panel grew for the wrapped lines too";
}
