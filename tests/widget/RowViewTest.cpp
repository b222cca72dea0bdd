#include "sheet/view/HoverableItemView.h"

#include "SheetViewFixture.h"
#include "sheet/view/CharacterView.h"
#include "sheet/view/HoverableCustomItemView.h"
#include "sheet/view/RowColours.h"
#include "sheet/view/RowMetrics.h"
#include "sheet/view/RowStackView.h"
#include "sheet/view/SheetFont.h"
#include "sheet/view/SymbolView.h"
#include "sheet/view/TitleView.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <gtest/gtest.h>

using namespace tavlen;
using namespace tavlen::test::menus;

namespace {

const QString EDITOR = QStringLiteral("org.example.Editor");
constexpr qint64 EDITOR_PID = 100;
const QString CUSTOM_UUID = QStringLiteral("0A3D1E27-5B8C-4D2F-9E61-7C4B8A2F1D30");

void click(QWidget* widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

QStringList menuTexts(QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts.append(action->isSeparator() ? QStringLiteral("---")
                                           : action->text() + (action->isEnabled() ? "" : " (disabled)"));
    return texts;
}

void choose(QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions()) {
        if (action->text() == text) {
            action->trigger();
            return;
        }
    }
    ADD_FAILURE() << "no entry " << text.toStdString();
}

// How many pixels of a widget drawn on white are clearly of the colour's hue.
int pixelsNear(QWidget& widget, const QColor& hue)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    widget.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.lightness() < 245 && pixel.hsvSaturation() > 60 &&
                std::abs(pixel.hsvHue() - hue.hsvHue()) < 15)
                ++count;
        }
    }
    return count;
}

class RowViewTest : public test::SheetViewFixture {
protected:
    RowViewTest()
    {
        install(parsed(application(
            EDITOR, QStringLiteral("Editor"), EDITOR_PID,
            menuBar({menu(QStringLiteral("File"), {keyed(QStringLiteral("Save"), QStringLiteral("S"))})}))));
        // Shortcut first, with bookmark marks (the defaults are the other way round).
        settings.setShowBookmarks(true);
        settings.setShowHotkeyOnTheRight(false);
    }

    MenuItem saveElement(bool isActive = true) { return fileSaveElement(EDITOR_PID, isActive); }

    RowContentOptions options() const
    {
        RowContentOptions options;
        options.fontSize = settings.fontSize();
        options.showHotkeyOnTheRight = settings.showHotkeyOnTheRight();
        options.showBookmarks = settings.showBookmarks();
        return options;
    }

    std::unique_ptr<HoverableItemView> row(bool isActive = true, bool bookmarked = false, bool hidden = false,
                                           bool hiddenGlobally = false)
    {
        auto view =
            std::make_unique<HoverableItemView>(QStringLiteral("Editor"), EDITOR, saveElement(isActive),
                                                bookmarked, hidden, hiddenGlobally, services(), options());
        layOut(*view, QSize(300, 30));
        return view;
    }
};

} // namespace

TEST_F(RowViewTest, TextColourFollowsActivityAndFlags)
{
    const QColor normal = QWidget().palette().color(QPalette::WindowText);
    const QColor hidden = toQColor(Colours::hiddenColour);
    const QColor hiddenGlobally = toQColor(Colours::hiddenGloballyColour);
    struct Case {
        bool active, hiddenGlobally, hidden;
        QColor colour;
        double opacity;
    };
    const Case cases[] = {
        {false, true, false, hiddenGlobally, 0.25}, {false, true, true, hiddenGlobally, 0.25},
        {false, false, true, hidden, 0.25},         {false, false, false, grayTextColour(), 1.0},
        {true, true, true, hiddenGlobally, 0.5},    {true, true, false, hiddenGlobally, 0.5},
        {true, false, true, hidden, 0.5},           {true, false, false, normal, 1.0},
    };
    for (const Case& c : cases) {
        auto view = row(c.active, false, c.hidden, c.hiddenGlobally);
        const QColor drawn = view->content().textColour();
        const std::string label = "active " + std::to_string(c.active) + " globally " +
                                  std::to_string(c.hiddenGlobally) + " hidden " + std::to_string(c.hidden);
        EXPECT_EQ(drawn.rgb(), c.colour.rgb()) << label;
        EXPECT_NEAR(drawn.alphaF(), c.opacity, 0.01) << label;
        // The title and the shortcut inherit the colour.
        EXPECT_EQ(view->content().titleView()->palette().color(QPalette::WindowText), drawn) << label;
    }

    // And it is what reaches the screen: red text only on the row hidden everywhere.
    auto plain = row();
    auto red = row(true, false, false, true);
    EXPECT_EQ(pixelsNear(plain->content(), hiddenGlobally), 0);
    EXPECT_GT(pixelsNear(red->content(), hiddenGlobally), 10);
}

TEST_F(RowViewTest, BookmarkMarkAndRowClicksAreSeparateActions)
{
    auto view = row();
    SymbolView* mark = view->content().bookmarkMark();
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->symbol(), QStringLiteral("bookmark"));
    EXPECT_EQ(mark->opacity(), 0.0); // invisible, but it keeps its room and its click
    EXPECT_GT(mark->width(), 0);

    click(mark);
    EXPECT_TRUE(view->model().bookmarked());
    EXPECT_EQ(mark->symbol(), QStringLiteral("bookmark.fill"));
    EXPECT_EQ(mark->opacity(), 1.0);
    EXPECT_TRUE(accessibility.presses().isEmpty());
    EXPECT_EQ(hotkeyRows(EDITOR), QStringList{QStringLiteral("Save:1:0:0")});

    // A click on the title is a press of the element, counted once.
    click(view->content().titleView());
    EXPECT_EQ(accessibility.presses().size(), 1);
    EXPECT_EQ(hotkeyRows(EDITOR), QStringList{QStringLiteral("Save:1:0:1")});
}

TEST_F(RowViewTest, HidingAndBookmarkingExcludeEachOther)
{
    auto view = row(true, true);
    std::unique_ptr<QMenu> menu(view->createContextMenu());
    choose(*menu, QStringLiteral("Hide"));
    EXPECT_TRUE(view->model().hidden());
    EXPECT_FALSE(view->model().bookmarked());
    EXPECT_EQ(hotkeyRows(EDITOR), QStringList{QStringLiteral("Save:0:1:0")});
    EXPECT_EQ(view->content().textColour().rgb(), toQColor(Colours::hiddenColour).rgb());

    click(view->content().bookmarkMark());
    EXPECT_TRUE(view->model().bookmarked());
    EXPECT_FALSE(view->model().hidden());
    EXPECT_EQ(hotkeyRows(EDITOR), QStringList{QStringLiteral("Save:1:0:0")});
    EXPECT_EQ(view->content().textColour(), QWidget().palette().color(QPalette::WindowText));

    // Hidden globally: stored under "global", never bookmarked there.
    menu.reset(view->createContextMenu());
    choose(*menu, QStringLiteral("Hide Globally"));
    EXPECT_EQ(hotkeyRows(QStringLiteral("global")), QStringList{QStringLiteral("Save:0:1:0")});
}

TEST_F(RowViewTest, ContextMenuFollowsSettingsAndFlags)
{
    auto view = row();
    std::unique_ptr<QMenu> menu(view->createContextMenu());
    EXPECT_EQ(menuTexts(*menu), (QStringList{"Hide", "Hide Globally"}));

    settings.setEnableCustomShortcuts(true);
    menu.reset(view->createContextMenu());
    EXPECT_EQ(menuTexts(*menu), (QStringList{"Customize (disabled)", "---", "Hide", "Hide Globally"}));
    EXPECT_FALSE(menu->actions().first()->icon().isNull());

    settings.setCustomShortcutsAvailable(true);
    auto hiddenEverywhere = row(true, false, true, true);
    menu.reset(hiddenEverywhere->createContextMenu());
    EXPECT_EQ(menuTexts(*menu), (QStringList{"Customize", "---", "Show Globally"}));
}

TEST_F(RowViewTest, HoverLightsTheRowAndShowsTheMark)
{
    RowStackView stack;
    auto* view = new HoverableItemView(QStringLiteral("Editor"), EDITOR, saveElement(), false, false, false,
                                       services(), options());
    stack.addRow(view);
    layOut(stack, QSize(300, 40));

    const QRectF highlight = RowStackView::highlightRect(view->geometry());
    EXPECT_EQ(highlight.top(), view->geometry().top() - 3);
    EXPECT_EQ(highlight.left(), view->geometry().left() - 5);
    // A point the highlight covers but the row does not.
    const QPoint outsideTheRow(view->geometry().right() - 2, static_cast<int>(highlight.top()) + 1);
    const auto lightnessThere = [&] {
        QImage image(stack.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        stack.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image.pixelColor(outsideTheRow).lightness();
    };
    const int unlit = lightnessThere();

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(view, &enter);
    EXPECT_TRUE(view->isHovered());
    EXPECT_EQ(view->content().bookmarkMark()->opacity(), 1.0);
    EXPECT_LT(lightnessThere(), unlit - 10);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view, &leave);
    EXPECT_FALSE(view->isHovered());
    EXPECT_EQ(view->content().bookmarkMark()->opacity(), 0.0);
    EXPECT_EQ(lightnessThere(), unlit);
}

TEST_F(RowViewTest, ShortcutFrameAndPaddingsFollowTheFontSize)
{
    auto small = row();
    ASSERT_NE(small->content().shortcutFrame(), nullptr);
    EXPECT_EQ(small->content().shortcutFrame()->width(), 90);
    EXPECT_EQ(small->content().layout()->contentsMargins().top(), 2);

    settings.setFontSize(15);
    auto large = row();
    EXPECT_EQ(large->content().shortcutFrame()->width(), 104);
    EXPECT_EQ(large->content().layout()->contentsMargins().top(), 4);

    const RowMetrics withoutBookmarks = rowMetrics(15, false, false);
    EXPECT_EQ(withoutBookmarks.shortcutLeadingPadding, -18);
    EXPECT_EQ(withoutBookmarks.shortcutTrailingPadding, 2 + 13);
    EXPECT_EQ(rowMetrics(13, true, true).leadingPadding, 0);

    // On the right: no fixed frame, the shortcut comes last.
    settings.setShowHotkeyOnTheRight(true);
    auto right = row();
    EXPECT_EQ(right->content().shortcutFrame(), nullptr);
    EXPECT_GT(right->content().shortcutView()->x(), right->content().titleView()->x());
}

TEST_F(RowViewTest, KeyTextPutsModifiersInFixedSlotsAndDrawsKeyGlyphsAtTheLettersSize)
{
    const auto shown = [](const CharacterView& keys) {
        QStringList symbols;
        for (const SymbolView* symbol : keys.findChildren<SymbolView*>())
            symbols.append(symbol->opacity() > 0 ? symbol->symbol() : QStringLiteral("_"));
        return symbols;
    };
    CharacterView keys(QStringLiteral("⌘⌃ S"), 13);
    // Four slots in their fixed order, whatever order the text gives; absent ones draw nothing.
    EXPECT_EQ(shown(keys), (QStringList{"control", "_", "_", "command"}));
    const QList<SymbolView*> symbols = keys.findChildren<SymbolView*>();
    EXPECT_EQ(symbols.at(0)->sizeHint().width(), 13);
    EXPECT_EQ(symbols.at(0)->symbolFont().pixelSize(), 13) << "modifiers at the letters' size";
    const QList<QLabel*> characters = keys.findChildren<QLabel*>();
    ASSERT_EQ(characters.size(), 1);
    EXPECT_EQ(characters.at(0)->text(), QStringLiteral("S"));
    EXPECT_EQ(characters.at(0)->font().pixelSize(), 13);

    // Keys without a pictogram name but drawn as glyphs: Page Up, arrows.
    keys.setInputString(QStringLiteral("⌥ ⇞"));
    EXPECT_EQ(shown(keys), (QStringList{"_", "option", "_", "_", "⇞"}));
    EXPECT_TRUE(keys.findChildren<QLabel*>().isEmpty());
    EXPECT_TRUE(SymbolView::isKeyGlyph(QStringLiteral("←")));
    EXPECT_FALSE(SymbolView::isKeyGlyph(QStringLiteral("K")));

    // The globe is one character, drawn by its pictogram name.
    keys.setInputString(QStringLiteral("🌐 F"));
    EXPECT_TRUE(shown(keys).contains(QStringLiteral("fn")));

    // The slots take the same room on every row, so ⇧ stands in one place.
    CharacterView shift(QStringLiteral("⇧ S"), 13);
    CharacterView controlShift(QStringLiteral("⌃⇧ F11"), 13);
    const auto shiftX = [](const CharacterView& view) {
        for (const SymbolView* symbol : view.findChildren<SymbolView*>())
            if (symbol->symbol() == QStringLiteral("shift"))
                return symbol->geometry().x();
        return -1;
    };
    layOut(shift, shift.sizeHint());
    layOut(controlShift, controlShift.sizeHint());
    EXPECT_EQ(shiftX(shift), shiftX(controlShift));
}

TEST_F(RowViewTest, KeyGlyphsFillTheLettersCapHeight)
{
    // Drawn large and dark on white: the ink of ⎋ reaches about as high as the letter's.
    const auto inkHeight = [](const QString& symbol) {
        QImage image(80, 80, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        SymbolView::paint(painter, QRectF(0, 0, 80, 80), symbol, sheetFont(48, QFont::DemiBold), Qt::black);
        painter.end();
        int top = 80, bottom = -1;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 80; ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return bottom - top + 1;
    };
    const double capHeight = QFontMetricsF(sheetFont(48, QFont::DemiBold)).capHeight();
    for (const QString& symbol :
         {QStringLiteral("escape"), QStringLiteral("⇞"), QStringLiteral("⇟"), QStringLiteral("shift")}) {
        SCOPED_TRACE(symbol.toStdString());
        EXPECT_NEAR(inkHeight(symbol), capHeight, capHeight * 0.2);
    }
    EXPECT_LT(inkHeight(QStringLiteral("control")), capHeight * 0.75) << "the caret stays a caret";
}

TEST_F(RowViewTest, CustomRowHidesThroughItsMenu)
{
    ManualHotkey item;
    item.id = QUuid::fromString(CUSTOM_UUID);
    item.title = QStringLiteral("Reload");
    item.trigger = QStringLiteral("⌘ K");
    item.keys = KeyInput{40, true, false, false, false, false};
    addCustom(EDITOR, CUSTOM_UUID, QStringLiteral("Reload"));
    HoverableCustomItemView view(QStringLiteral("Editor"), EDITOR, item, false, false, services(), options());
    layOut(view, QSize(300, 30));
    EXPECT_EQ(view.content().textColour(), QWidget().palette().color(QPalette::WindowText));

    std::unique_ptr<QMenu> menu(view.createContextMenu());
    EXPECT_EQ(menuTexts(*menu), QStringList{"Hide"});
    choose(*menu, QStringLiteral("Hide"));
    EXPECT_TRUE(view.model().hidden());
    EXPECT_EQ(view.content().textColour().rgb(), toQColor(Colours::hiddenColour).rgb());
    EXPECT_EQ(storeSupport.column(QStringLiteral(R"(SELECT "is_enabled" FROM "CustomHotkeys")")),
              QStringList{"0"});
    menu.reset(view.createContextMenu());
    EXPECT_EQ(menuTexts(*menu), QStringList{"Show"});
}

TEST_F(RowViewTest, TheContextMenuGoesWithThePanelItWasOpenedFrom)
{
    for (const bool destroyed : {false, true}) {
        SCOPED_TRACE(destroyed ? "panel destroyed" : "panel hidden");
        auto panel = std::make_unique<QWidget>();
        auto view = row();
        view->setParent(panel.get());
        view->show();
        panel->resize(300, 40);
        panel->show();
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), panel->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(view.get(), &click);
        QPointer<QWidget> menu = QApplication::activePopupWidget();
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(menu->isVisible());

        if (destroyed) {
            static_cast<void>(view.release()); // the panel owns it now
            panel.reset();
        } else {
            panel->hide();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(menu.isNull() || !menu->isVisible());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}
