#include "sheet/view/SheetPicture.h"

#include "SheetViewFixture.h"

#include "support/ImagePixels.h"
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavlen;

namespace {

class SheetPictureTest : public test::SheetViewFixture {};

// Pixels that differ clearly from the picture's background (its top-left corner).
int drawnPixels(const QImage& image)
{
    return test::drawnPixels(image, QPoint(0, 0));
}

} // namespace

// Set TAVLEN_SHEET_PICTURE to a file name to keep the picture (scripts/docs-pictures.sh draws the
// README's pictures).
TEST_F(SheetPictureTest, GeanysSheetIsDrawnInThePanelsSize)
{
    installGeany();
    MenuItemViewModel& sheet = loadedModel();
    const QImage image = SheetPicture::render(sheet, services(), QSizeF(1440, 875));
    EXPECT_EQ(image.size(), QSize(1152, 613));
    EXPECT_GT(drawnPixels(image), 2000);
    // Text reaches the right half: the groups are spread over the columns.
    EXPECT_GT(drawnPixels(image.copy(QRect(576, 0, 576, 613))), 200);

    // With one column the sheet is far taller than the panel: the picture holds all of it, down
    // to Help at the bottom.
    MenuItemViewModel& single = loadedModel(1);
    const QImage tall = SheetPicture::render(single, services(), QSizeF(1440, 875));
    EXPECT_GT(tall.height(), 2 * 613);
    EXPECT_GT(drawnPixels(tall.copy(QRect(0, tall.height() - 300, 1152, 300))), 200);

    if (const QString path = qEnvironmentVariable("TAVLEN_SHEET_PICTURE"); !path.isEmpty()) {
        QString error;
        ASSERT_TRUE(SheetPicture::save(sheet, services(), QSizeF(1440, 875), path, error, 2.0))
            << error.toStdString();
        EXPECT_TRUE(QFileInfo(path).size() > 0);
    }
}

TEST_F(SheetPictureTest, DarkAppearanceDrawsLightTextOnDark)
{
    installGeany();
    settings.setAppearance(QStringLiteral("dark"));
    const QImage dark = SheetPicture::render(loadedModel(), services(), QSizeF(1440, 875));
    EXPECT_LT(dark.pixelColor(0, 0).lightness(), 100);
    EXPECT_GT(drawnPixels(dark), 2000);

    settings.setAppearance(QStringLiteral("light"));
    const QImage light = SheetPicture::render(loadedModel(), services(), QSizeF(1440, 875));
    EXPECT_GT(light.pixelColor(0, 0).lightness(), 200);
}

TEST_F(SheetPictureTest, UnwritablePathIsReported)
{
    installGeany();
    QString error;
    EXPECT_FALSE(SheetPicture::save(loadedModel(), services(), QSizeF(1440, 875),
                                    QStringLiteral("/nonexistent-folder/sheet.png"), error));
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent-folder/sheet.png")));
}

TEST_F(SheetPictureTest, APrintedSheetIsCutIntoPagesOnThePaperOfTheLocale)
{
    installGeany();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("geany.pdf"));
    QString error;
    // One column on a page as wide as a small screen's panel: several pages.
    ASSERT_TRUE(SheetPicture::savePdf(loadedModel(1), services(), QSizeF(800, 875), path, error))
        << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_GE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 2)
        << "pages";

    EXPECT_EQ(SheetPicture::pageSizeFor(QLocale(QLocale::English, QLocale::UnitedStates)).id(),
              QPageSize::Letter);
    EXPECT_EQ(SheetPicture::pageSizeFor(QLocale(QLocale::German, QLocale::Germany)).id(), QPageSize::A4);
    EXPECT_FALSE(SheetPicture::savePdf(loadedModel(1), services(), QSizeF(1440, 875),
                                       dir.filePath(QStringLiteral("missing/folder/x.pdf")), error));
}
