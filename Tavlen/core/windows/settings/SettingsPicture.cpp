#include "core/windows/settings/SettingsPicture.h"

#include <QCoreApplication>
#include <QLayout>
#include <QPainter>
#include <QScrollArea>
#include <QWidget>
#include <algorithm>

namespace tavlen {

QImage SettingsPicture::render(QWidget& content, QSize size, qreal devicePixelRatio)
{
    content.setAttribute(Qt::WA_DontShowOnScreen);
    content.resize(size);
    content.show();
    QCoreApplication::sendPostedEvents();
    if (QLayout* layout = content.layout())
        layout->activate();

    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(content.palette().color(QPalette::Window));
    QPainter painter(&image);
    content.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.end();
    content.hide();
    return image;
}

QSize SettingsPicture::wholeSize(QWidget& content, int width)
{
    const QSize window(width, WindowSize.height());
    content.setAttribute(Qt::WA_DontShowOnScreen);
    content.resize(window);
    content.show();
    QCoreApplication::sendPostedEvents();
    int hidden = 0;
    for (const QScrollArea* area : content.findChildren<QScrollArea*>()) {
        if (area->isVisible() && area->widget())
            hidden = std::max(hidden, area->widget()->sizeHint().height() - area->viewport()->height());
    }
    content.hide();
    return {width, window.height() + hidden};
}

bool SettingsPicture::save(QWidget& content, const QString& path, QString& error, QSize size,
                           qreal devicePixelRatio)
{
    const QImage image = render(content, size, devicePixelRatio);
    if (!image.save(path, "PNG")) {
        error = QStringLiteral("Cannot write the picture to %1.").arg(path);
        return false;
    }
    return true;
}

} // namespace tavlen
