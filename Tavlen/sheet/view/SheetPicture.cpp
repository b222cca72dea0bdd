#include "sheet/view/SheetPicture.h"

#include "settings/AppSettings.h"
#include "sheet/MenuItemViewModel.h"
#include "sheet/view/AppearancePalette.h"
#include "sheet/view/MenuItemView.h"
#include "sheet/view/PanelSizes.h"

#include <QApplication>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace tavlen {

QImage SheetPicture::render(MenuItemViewModel& model, const RowServices& services, const QSizeF& visibleFrame,
                            qreal devicePixelRatio)
{
    if (!model.loaded())
        model.loadSheet();
    const QSizeF panel = hotkeysPanelSize(true, visibleFrame);
    QSize size(static_cast<int>(std::ceil(panel.width())), static_cast<int>(std::ceil(panel.height())));

    QWidget content;
    content.setAttribute(Qt::WA_DontShowOnScreen);
    content.setAutoFillBackground(true);
    applyAppearance(content, services.appSettings.appearance());
    auto* stack = new QVBoxLayout(&content);
    stack->setContentsMargins(0, 0, 0, 0);
    auto* sheet = new MenuItemView(model, services, visibleAreaSize(visibleFrame.height()), &content);
    stack->addWidget(sheet);
    // A picture has no screen to stop at: it is as tall as the whole sheet.
    size.setHeight(std::max(size.height(), sheet->preferredHeight()));
    content.setFixedSize(size);
    content.show();
    QCoreApplication::sendPostedEvents();
    content.layout()->activate();

    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(content.palette().color(QPalette::Window));
    QPainter painter(&image);
    content.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
    content.hide();
    return image;
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
