#include "sheet/view/MenuItemView.h"

#include "SheetViewFixture.h"
#include "sheet/view/CreditsView.h"
#include "sheet/view/HoverableCustomItemView.h"
#include "sheet/view/HoverableItemView.h"
#include "sheet/view/SectionHeaderView.h"

#include <QAbstractButton>
#include <QLabel>
#include <gtest/gtest.h>
#include <utility>

using namespace tavlen;
using namespace tavlen::test::menus;

namespace {

const QString EDITOR = QStringLiteral("org.example.Editor");
const QString UUID_A = QStringLiteral("0A3D1E27-5B8C-4D2F-9E61-7C4B8A2F1D30");
const QString UUID_B = QStringLiteral("1B4E2F38-6C9D-4E3A-8F72-8D5C9B3A2E41");

class MenuItemViewTest : public test::SheetViewFixture {
protected:
    void installEditor()
    {
        install(
            parsed(application(EDITOR, QStringLiteral("Editor"), 100,
                               menuBar({menu(QStringLiteral("Edit"),
                                             {keyed(QStringLiteral("Copy"), QStringLiteral("C")),
                                              menu(QStringLiteral("Find"),
                                                   {keyed(QStringLiteral("Find…"), QStringLiteral("F")),
                                                    keyed(QStringLiteral("Find Next"), QStringLiteral("G"))}),
                                              keyed(QStringLiteral("Paste"), QStringLiteral("V"))})}))));
    }

    static QStringList headerTitles(const MenuItemView& view)
    {
        QStringList titles;
        for (const SectionHeaderView* header : view.headers())
            titles.append(header->title());
        return titles;
    }

    // A sheet made now for the frontmost application, when it has nothing to list: the reason it
    // gives (empty when it gives none) and its headings.
    std::pair<QString, QStringList> emptySheet()
    {
        MenuItemViewModel sheetModel(workspace, menuSource, store, settings, applications, clock, 0);
        MenuItemView view(sheetModel, services(), 700);
        layOut(view);
        const QLabel* reason = view.emptyReasonLabel();
        return {reason != nullptr ? reason->text() : QString(), headerTitles(view)};
    }

    static QStringList rowTitles(QWidget* cell)
    {
        QStringList titles;
        if (cell == nullptr)
            return titles;
        for (const HoverableItemView* row : cell->findChildren<HoverableItemView*>())
            titles.append(row->model().element().title);
        for (const HoverableCustomItemView* row : cell->findChildren<HoverableCustomItemView*>())
            titles.append(row->model().item().title);
        return titles;
    }
};

} // namespace

TEST_F(MenuItemViewTest, LoadsWhenItComesOnScreenAndPlacesGroupsInColumns)
{
    installEditor();
    MenuItemViewModel sheetModel(workspace, menuSource, store, settings, applications, clock, 0);
    MenuItemView view(sheetModel, services(), 700);
    // Before its menus come, the sheet says it is reading them.
    ASSERT_NE(view.emptyReasonLabel(), nullptr);
    EXPECT_EQ(view.emptyReasonLabel()->text(), QStringLiteral("Reading the menus…"));
    EXPECT_TRUE(view.elementRows().isEmpty());

    layOut(view);
    EXPECT_TRUE(sheetModel.loaded());
    // Default 4 columns over 6 entries, 2 a column: Edit's group in column 0 with its
    // placeholder, Find's group in column 1, the rest placeholders.
    EXPECT_EQ(headerTitles(view), (QStringList{"Edit", "Find"}));
    EXPECT_EQ(rowTitles(view.cellWidget(0, 0)), (QStringList{"Copy", "Paste"}));
    EXPECT_EQ(rowTitles(view.cellWidget(0, 1)), (QStringList{"Find…", "Find Next"}));
    EXPECT_TRUE(rowTitles(view.cellWidget(0, 2)).isEmpty());
    EXPECT_NE(view.cellWidget(0, 3), nullptr);
    EXPECT_EQ(view.elementRows().size(), 4);
    EXPECT_LT(view.cellWidget(0, 0)->x(), view.cellWidget(0, 1)->x());
    EXPECT_EQ(view.cellWidget(0, 0)->y(), view.cellWidget(0, 1)->y());
    EXPECT_EQ(view.emptyReasonLabel(), nullptr);
}

TEST_F(MenuItemViewTest, AnEmptySheetSaysWhyUnderItsHeading)
{
    EXPECT_EQ(emptySheet(),
              std::pair(QStringLiteral("No application is in front: click into one, then ask again."),
                        QStringList{"Tavlen"}));

    install(parsed(application(QStringLiteral("org.example.Plain"), QStringLiteral("Plain"), 77,
                               menuBar({menu(QStringLiteral("File"), {titled(QStringLiteral("Open"))})}))));
    EXPECT_EQ(emptySheet(), std::pair(QStringLiteral("Plain has no menu entry with a keyboard shortcut."),
                                      QStringList{"Plain"}));

    // What the platform says of an application that never joined the accessibility bus.
    const RunningApplication old{QStringLiteral("org.example.Old"), QStringLiteral("Old"), 88};
    takeOffBus(old.processIdentifier, QStringLiteral("GTK 2"));
    workspace.setFrontmostApplication(old);
    EXPECT_EQ(emptySheet().first,
              QStringLiteral(
                  "Old (GTK 2) is not on the accessibility bus: start it with GTK_MODULES=gail:atk-bridge."));
}

TEST_F(MenuItemViewTest, OnlyTheFirstHeadingCarriesTheApplicationIcon)
{
    installGeany();
    installGeanyIcon();
    MenuItemView view(loadedModel(), services(), 700);
    ASSERT_GE(view.headers().size(), 3);
    EXPECT_TRUE(view.headers().first()->showsImage());
    for (qsizetype i = 1; i < view.headers().size(); ++i)
        EXPECT_FALSE(view.headers().at(i)->showsImage()) << view.headers().at(i)->title().toStdString();

    settings.setShowAppIcon(false);
    MenuItemView withoutIcons(loadedModel(), services(), 700);
    for (const SectionHeaderView* header : withoutIcons.headers())
        EXPECT_FALSE(header->showsImage());
}

TEST_F(MenuItemViewTest, CustomShortcutsTakeTheCellAfterTheMenuColumns)
{
    installEditor();
    addCustom(QStringLiteral("global"), UUID_A, QStringLiteral("Lock"));
    addCustom(EDITOR, UUID_B, QStringLiteral("Reload"));

    MenuItemView grid(loadedModel(), services(), 700);
    EXPECT_EQ(grid.sheetLayout().menuColumns.size(), 3);
    EXPECT_EQ(rowTitles(grid.cellWidget(0, 3)), (QStringList{"Lock", "Reload"}));
    EXPECT_EQ(headerTitles(grid).mid(headerTitles(grid).size() - 2),
              (QStringList{"Global Custom Shortcuts", "Editor Custom Shortcuts"}));
    ASSERT_EQ(grid.customRows().size(), 2);
    EXPECT_EQ(grid.customRows().at(0)->model().bundleIdentifier(), QStringLiteral("global"));
    EXPECT_EQ(grid.customRows().at(1)->model().bundleIdentifier(), EDITOR);

    // The persistent panel's single column puts them in a second grid row, below the menus.
    MenuItemView single(loadedModel(1), services(), 700);
    layOut(single, QSize(360, 613));
    EXPECT_EQ(rowTitles(single.cellWidget(0, 0)), (QStringList{"Copy", "Paste", "Find…", "Find Next"}));
    ASSERT_NE(single.cellWidget(1, 0), nullptr);
    EXPECT_EQ(rowTitles(single.cellWidget(1, 0)), (QStringList{"Lock", "Reload"}));
    EXPECT_GT(single.cellWidget(1, 0)->y(),
              single.cellWidget(0, 0)->y() + single.cellWidget(0, 0)->height() - 1);
}

TEST_F(MenuItemViewTest, AnEmptyHarvestShowsTheApplicationHeading)
{
    install(parsed(application(EDITOR, QStringLiteral("Editor"), 100, std::nullopt)));
    MenuItemView view(loadedModel(), services(), 700);
    EXPECT_EQ(headerTitles(view), QStringList{"Editor"});
    EXPECT_TRUE(view.elementRows().isEmpty());
}

TEST_F(MenuItemViewTest, ScrollsOnlyWhenGivenTheVisibleAreaOrMore)
{
    installEditor();
    MenuItemViewModel sheetModel(workspace, menuSource, store, settings, applications, clock, 0);
    MenuItemView low(sheetModel, services(), 700);
    layOut(low, QSize(800, 650));
    EXPECT_LT(low.scrollViewSize(), 700);
    EXPECT_FALSE(low.isScrollingEnabled());

    MenuItemView high(sheetModel, services(), 700);
    layOut(high, QSize(800, 760));
    EXPECT_GE(high.scrollViewSize(), 700);
    EXPECT_TRUE(high.isScrollingEnabled());
}

TEST_F(MenuItemViewTest, CreditsLineFollowsItsSettings)
{
    installEditor();
    settings.setShowCredits(false);
    EXPECT_EQ(MenuItemView(loadedModel(), services(), 700).creditsView(), nullptr);

    settings.setShowCredits(true);
    settings.setExperimentalFeatures(false);
    MenuItemView plain(loadedModel(), services(), 700);
    ASSERT_NE(plain.creditsView(), nullptr);
    EXPECT_EQ(plain.creditsView()->eyeButton(), nullptr);
    QStringList posted;
    notifications.addObserver(QStringLiteral("OpenSettingsWindowNotification"),
                              [&posted](const QString& name, const QVariantMap&) { posted.append(name); });
    plain.creditsView()->gearButton()->click();
    EXPECT_EQ(posted, QStringList{"OpenSettingsWindowNotification"});

    settings.setExperimentalFeatures(true);
    settings.setShowAllMenus(false);
    MenuItemView experimental(loadedModel(), services(), 700);
    ASSERT_NE(experimental.creditsView()->eyeButton(), nullptr);
    EXPECT_EQ(experimental.creditsView()->eyeSymbolName(), QStringLiteral("eye.slash"));
    experimental.creditsView()->eyeButton()->click();
    EXPECT_TRUE(settings.showAllMenus());
    EXPECT_EQ(experimental.creditsView()->eyeSymbolName(), QStringLiteral("eye"));
}
