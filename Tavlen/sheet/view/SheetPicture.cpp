#include "sheet/view/SheetPicture.h"

#include "settings/AppSettings.h"
#include "sheet/MenuItemViewModel.h"
#include "sheet/view/AppearancePalette.h"
#include "sheet/view/HoverableCustomItemView.h"
#include "sheet/view/HoverableItemView.h"
#include "sheet/view/MenuItemView.h"
#include "sheet/view/PanelSizes.h"
#include "sheet/view/SectionHeaderView.h"

#include <QApplication>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace tavlen {

namespace {

// The sheet in a widget of its own, laid out off screen: as wide as the panel, as tall as all of it.
struct SheetCanvas {
    SheetCanvas(MenuItemViewModel& model, const RowServices& services, const QSizeF& visibleFrame)
    {
        if (!model.loaded())
            model.loadSheet();
        const QSizeF panel = hotkeysPanelSize(true, visibleFrame);
        QSize size(static_cast<int>(std::ceil(panel.width())), static_cast<int>(std::ceil(panel.height())));
        content.setAttribute(Qt::WA_DontShowOnScreen);
        content.setAutoFillBackground(true);
        applyAppearance(content, services.appSettings.appearance());
        auto* stack = new QVBoxLayout(&content);
        stack->setContentsMargins(0, 0, 0, 0);
        sheet = new MenuItemView(model, services, visibleAreaSize(visibleFrame.height()), &content);
        stack->addWidget(sheet);
        // A picture has no screen to stop at: it is as tall as the whole sheet.
        size.setHeight(std::max(size.height(), sheet->preferredHeight()));
        content.setFixedSize(size);
        content.show();
        QCoreApplication::sendPostedEvents();
        content.layout()->activate();
    }
    ~SheetCanvas() { content.hide(); }
    SheetCanvas(const SheetCanvas&) = delete;
    SheetCanvas& operator=(const SheetCanvas&) = delete;

    // Where a page may end at or above `limit` without cutting a heading or a row in two.
    int pageEnd(int top, int limit) const
    {
        int end = limit;
        const auto pullAbove = [&](const QWidget* part) {
            const QRect area(part->mapTo(&content, QPoint(0, 0)), part->size());
            if (area.top() > top && area.top() < end && area.bottom() >= end)
                end = area.top();
        };
        for (const QWidget* part : sheet->headers())
            pullAbove(part);
        for (const QWidget* part : sheet->elementRows())
            pullAbove(part);
        for (const QWidget* part : sheet->customRows())
            pullAbove(part);
        return end;
    }

    QWidget content;
    MenuItemView* sheet = nullptr;
};

} // namespace

QImage SheetPicture::render(MenuItemViewModel& model, const RowServices& services, const QSizeF& visibleFrame,
                            qreal devicePixelRatio)
{
    SheetCanvas canvas(model, services, visibleFrame);
    const QSize size = canvas.content.size();
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(canvas.content.palette().color(QPalette::Window));
    QPainter painter(&image);
    canvas.content.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
    return image;
}

QPageSize SheetPicture::pageSizeFor(const QLocale& locale)
{
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

bool SheetPicture::savePdf(MenuItemViewModel& model, const RowServices& services, const QSizeF& visibleFrame,
                           const QString& path, QString& error)
{
    SheetCanvas canvas(model, services, visibleFrame);
    QPdfWriter writer(path);
    writer.setTitle(QStringLiteral("Shortcuts of %1").arg(model.appTitle()));
    writer.setCreator(QStringLiteral("Tavlen"));
    writer.setPageSize(pageSizeFor(QLocale::system()));
    writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&writer)) {
        error = QStringLiteral("Cannot write the document to %1.").arg(path);
        return false;
    }
    // The sheet fills the page's width; its height is cut into pages between rows.
    const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
    const QSize sheet = canvas.content.size();
    const double scale = static_cast<double>(page.width()) / sheet.width();
    const int pageHeight = std::max(1, static_cast<int>(page.height() / scale));
    for (int top = 0; top < sheet.height();) {
        int end = std::min(top + pageHeight, sheet.height());
        if (end < sheet.height())
            end = canvas.pageEnd(top, end);
        if (top > 0)
            writer.newPage();
        painter.save();
        painter.scale(scale, scale);
        canvas.content.render(&painter, QPoint(), QRegion(0, top, sheet.width(), end - top),
                              QWidget::DrawChildren | QWidget::DrawWindowBackground);
        painter.restore();
        top = end;
    }
    if (!painter.end()) {
        error = QStringLiteral("Cannot write the document to %1.").arg(path);
        return false;
    }
    return true;
}

bool SheetPicture::save(MenuItemViewModel& model, const RowServices& services, const QSizeF& visibleFrame,
                        const QString& path, QString& error, qreal devicePixelRatio)
{
    const QImage image = render(model, services, visibleFrame, devicePixelRatio);
    if (!image.save(path, "PNG")) {
        error = QStringLiteral("Cannot write the picture to %1.").arg(path);
        return false;
    }
    return true;
}

} // namespace tavlen
