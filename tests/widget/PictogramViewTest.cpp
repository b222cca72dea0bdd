#include "sheet/view/PictogramView.h"

#include "core/windows/settings/SettingsSymbol.h"
#include "sheet/view/SheetFont.h"
#include "sheet/view/SymbolView.h"
#include "support/ImagePixels.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

using namespace tavlen;

namespace {

// Pixels drawn on the white ground.
int inked(const QImage& image)
{
    return test::drawnPixels(image, QPoint(0, 0));
}

// A view as it draws itself, on a white ground.
QImage drawn(QWidget& view)
{
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    view.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
    return image;
}

QImage settingsPictogram(const QString& symbol)
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    SettingsSymbol::paint(painter, QRectF(0, 0, 32, 32), symbol, Qt::black);
    painter.end();
    return image;
}

} // namespace

TEST(PictogramViewTest, EverySettingsPictogramIsKnownAndDrawsAPictureOfItsOwn)
{
    const QStringList names{"list.bullet.rectangle",
                            "text.and.command.macwindow",
                            "gearshape.2.fill",
                            "arrow.2.squarepath",
                            "keyboard.fill",
                            "command",
                            "control",
                            "pause.fill",
                            "play.fill",
                            "power",
                            "info.circle",
                            "exclamationmark.triangle.fill",
                            "textformat.size.smaller",
                            "textformat.size.larger"};
    QList<QImage> pictures;
    for (const QString& name : names) {
        EXPECT_TRUE(SettingsSymbol::isKnown(name)) << name.toStdString();
        const QImage picture = settingsPictogram(name);
        EXPECT_GT(inked(picture), 4) << name.toStdString();
        EXPECT_FALSE(pictures.contains(picture)) << name.toStdString();
        pictures.append(picture);
    }
    EXPECT_FALSE(SettingsSymbol::isKnown(QStringLiteral("list.bullet")));
    EXPECT_EQ(inked(settingsPictogram(QStringLiteral("list.bullet"))), 0);
}

TEST(PictogramViewTest, IconsAreDrawnForTheirPixelDensities)
{
    // The settings window's are sharp on a HiDPI screen too; the sheet's menu icons are drawn once.
    // White ink, to stand out from the icons' transparent ground.
    const QIcon settingsIcon = SettingsSymbol::icon(QStringLiteral("power"), 20, Qt::white);
    const QPixmap sharp = settingsIcon.pixmap(QSize(20, 20), 2.0);
    EXPECT_EQ(sharp.size(), QSize(40, 40));
    EXPECT_DOUBLE_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_GT(inked(sharp.toImage()), 10);

    const QIcon menuIcon = SymbolView::icon(QStringLiteral("bookmark.fill"), sheetFont(13), Qt::white);
    ASSERT_EQ(menuIcon.availableSizes().size(), 1);
    EXPECT_EQ(menuIcon.availableSizes().first(), QSize(17, 17));
    EXPECT_GT(inked(menuIcon.pixmap(QSize(17, 17)).toImage()), 4);
}

TEST(PictogramViewTest, AViewDrawsItsSymbolAtItsOpacityAndKeepsItsRoomWhenInvisible)
{
    SettingsSymbol view(QStringLiteral("play.fill"), 24);
    view.resize(view.sizeHint());
    const QImage play = drawn(view);
    EXPECT_GT(inked(play), 5);

    view.setSymbol(QStringLiteral("pause.fill"));
    EXPECT_EQ(view.symbol(), QStringLiteral("pause.fill"));
    EXPECT_NE(drawn(view), play);

    view.setOpacity(0.5);
    const QImage half = drawn(view);
    int darkest = 255;
    for (int y = 0; y < half.height(); ++y) {
        for (int x = 0; x < half.width(); ++x)
            darkest = std::min(darkest, half.pixelColor(x, y).lightness());
    }
    EXPECT_NEAR(darkest, 128, 2);

    view.setOpacity(0);
    EXPECT_EQ(inked(drawn(view)), 0);
    EXPECT_EQ(view.sizeHint(), QSize(24, 24));

    // A key symbol's view is as wide as its character, and follows a new symbol.
    SymbolView key(QStringLiteral("command"), sheetFont(20));
    const int commandWidth = key.sizeHint().width();
    key.setSymbol(QStringLiteral("minus"));
    EXPECT_EQ(
        key.sizeHint().width(),
        static_cast<int>(std::ceil(QFontMetricsF(sheetFont(20)).horizontalAdvance(QStringLiteral("-")))));
    EXPECT_LT(key.sizeHint().width(), commandWidth);
}
