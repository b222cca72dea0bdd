#include "SheetViewFixture.h"
#include "sheet/view/HotkeysView.h"
#include "sheet/view/HoverableItemView.h"
#include "sheet/view/MenuItemView.h"
#include "sheet/view/PersistentView.h"
#include "sheet/view/RowContentView.h"
#include "sheet/view/SectionHeaderView.h"
#include "sheet/view/SheetPicture.h"
#include "sheet/view/SymbolView.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace tavlen;

// The pictures of the README, light and dark. Each is checked for what it must show; with
// TAVLEN_DOCS_PICTURES set to a folder they are also written there (scripts/docs-pictures.sh).
namespace {

class DocsPicturesTest : public test::SheetViewFixture {
protected:
    void keep(const QImage& image, const QString& name) const
    {
        const QString folder = qEnvironmentVariable("TAVLEN_DOCS_PICTURES");
        if (folder.isEmpty())
            return;
        // Indexed colour keeps the pictures a few tens of kilobytes: they are text on a plain ground.
        const QImage small = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
        ASSERT_TRUE(small.save(QDir(folder).filePath(name + QStringLiteral(".png"))));
    }

    // A widget drawn at `scale` device pixels per point, with the panel's background.
    static QImage picture(QWidget& widget, qreal scale)
    {
        QImage image(widget.size() * scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(widget.palette().color(QPalette::Window));
        QPainter painter(&image);
        widget.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    }

    static QList<QString> appearances() { return {QStringLiteral("light"), QStringLiteral("dark")}; }
};

} // namespace

TEST_F(DocsPicturesTest, GeanyInThreeColumnsWithACustomShortcutShowsEveryGroup)
{
    installGeany();
    settings.setEnableCustomShortcuts(true);
    settings.setCustomShortcutsAvailable(true);
    addCustom(test::GEANY, QStringLiteral("6F1A2B3C-4D5E-4F60-8172-93A4B5C6D7E8"),
              QStringLiteral("Build all"));
    for (const QString& appearance : appearances()) {
        SCOPED_TRACE(appearance.toStdString());
        settings.setAppearance(appearance);
        MenuItemViewModel& sheet = loadedModel(3);
        const QImage image = SheetPicture::render(sheet, services(), QSizeF(1440, 875));
        // Tall enough for every group: Help, the last, is drawn in the bottom part of its column.
        MenuItemView view(sheet, services(), 0.7 * 875);
        layOut(view, image.size());
        EXPECT_FALSE(view.contentOverflows());
        ASSERT_TRUE(view.sheetLayout().customColumn.has_value());
        EXPECT_EQ(view.customRows().size(), 1);
        keep(image, QStringLiteral("geany-%1").arg(appearance));
    }
}

TEST_F(DocsPicturesTest, ThePersistentPanelScrolledToItsEndShowsItsLastRowWhole)
{
    installGeany();
    for (const QString& appearance : appearances()) {
        SCOPED_TRACE(appearance.toStdString());
        settings.setAppearance(appearance);
        PersistentView panel(services(), test::GEANY, QSizeF(1440, 700));
        panel.sheet()->loadSheet();
        layOut(panel, panel.size());
        MenuItemView& sheet = *panel.sheet();
        ASSERT_TRUE(sheet.contentOverflows());
        sheet.scrollToEnd(true);
        QScrollBar* bar = sheet.scrollArea()->verticalScrollBar();
        EXPECT_GT(bar->value(), 0);
        ASSERT_FALSE(sheet.elementRows().isEmpty());
        const QWidget* last = sheet.elementRows().last();
        const int lastBottom = last->mapTo(sheet.scrollArea()->widget(), QPoint(0, last->height())).y();
        EXPECT_LE(lastBottom, bar->value() + sheet.scrollArea()->viewport()->height());
        keep(picture(panel, 1.0), QStringLiteral("persistent-end-%1").arg(appearance));
    }
}

TEST_F(DocsPicturesTest, TheEmptyStateSaysWhy)
{
    for (const QString& appearance : appearances()) {
        SCOPED_TRACE(appearance.toStdString());
        settings.setAppearance(appearance);
        HotkeysView panel(services(), true, QSizeF(1000, 500));
        panel.sheet()->loadSheet();
        layOut(panel, panel.size());
        ASSERT_NE(panel.sheet()->emptyReasonLabel(), nullptr);
        keep(picture(panel, 1.0), QStringLiteral("empty-%1").arg(appearance));

        // In the narrow persistent column the reason wraps below its heading, whole.
        PersistentView column(services(), QStringLiteral("none"), QSizeF(1000, 500));
        column.sheet()->loadSheet();
        layOut(column, column.size());
        const QLabel* reason = column.sheet()->emptyReasonLabel();
        ASSERT_NE(reason, nullptr);
        const QWidget* heading = column.sheet()->headers().first();
        EXPECT_LE(heading->mapTo(&column, QPoint(0, heading->height())).y(),
                  reason->mapTo(&column, QPoint()).y());
        EXPECT_GE(reason->height(), reason->heightForWidth(reason->width()));
    }
}

TEST_F(DocsPicturesTest, KeySymbolsAtTwiceTheSize)
{
    const QStringList shortcuts{QStringLiteral("⌃ N"),    QStringLiteral("⌃⇧ S"),  QStringLiteral("⌥ ⇞"),
                                QStringLiteral("⌥ ⇟"),    QStringLiteral("⎋"),     QStringLiteral("⌘ ␣"),
                                QStringLiteral("⌃⌥⇧⌘ K"), QStringLiteral("⇧ F11"), QStringLiteral("⌥ ←")};
    for (const QString& appearance : appearances()) {
        SCOPED_TRACE(appearance.toStdString());
        settings.setAppearance(appearance);
        HotkeysView panel(services(), false, QSizeF(1440, 875)); // for the appearance's palette
        QWidget strip;
        strip.setPalette(panel.palette());
        strip.setAutoFillBackground(true);
        auto* lines = new QVBoxLayout(&strip);
        RowContentOptions options;
        options.fontSize = settings.fontSize();
        QList<RowContentView*> rows;
        for (const QString& keys : shortcuts) {
            rows.append(new RowContentView(keys, keys, options, &strip));
            lines->addWidget(rows.last());
        }
        layOut(strip, QSize(260, strip.sizeHint().height()));
        // ⇧ stands in one place on every row that has it, whatever comes before or after it.
        QList<int> shiftPlaces;
        for (const RowContentView* row : rows)
            for (const SymbolView* symbol : row->findChildren<SymbolView*>())
                if (symbol->symbol() == QStringLiteral("shift") && symbol->opacity() > 0)
                    shiftPlaces.append(symbol->mapTo(&strip, QPoint()).x());
        ASSERT_EQ(shiftPlaces.size(), 3);
        EXPECT_EQ(shiftPlaces.count(shiftPlaces.first()), 3);
        keep(picture(strip, 2.0), QStringLiteral("key-symbols-%1").arg(appearance));
    }
}
