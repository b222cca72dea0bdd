#include "core/windows/settings/EditorSymbols.h"

#include "sheet/view/SymbolView.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>

namespace tavlen {

namespace {

QRectF centredSquare(const QRectF& frame, const QFont& font)
{
    const double size =
        std::min({font.pixelSize() > 0 ? double(font.pixelSize()) : QFontMetricsF(font).ascent(),
                  frame.width(), frame.height()});
    return {QPointF(frame.center().x() - size / 2, frame.center().y() - size / 2), QSizeF(size, size)};
}

QPen strokeFor(const QRectF& box, const QColor& colour)
{
    return QPen(colour, std::max(1.2, box.height() / 9), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

void EditorSymbols::paint(QPainter& painter, const QRectF& frame, const QString& symbol, const QFont& font,
                          const QColor& colour, double rotationDegrees)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (rotationDegrees != 0) {
        painter.translate(frame.center());
        painter.rotate(rotationDegrees);
        painter.translate(-frame.center());
    }
    const QRectF box = centredSquare(frame, font);
    if (symbol == QLatin1String("checkmark")) {
        QPainterPath path;
        path.moveTo(box.left() + box.width() * 0.12, box.top() + box.height() * 0.55);
        path.lineTo(box.left() + box.width() * 0.4, box.top() + box.height() * 0.82);
        path.lineTo(box.left() + box.width() * 0.88, box.top() + box.height() * 0.2);
        painter.strokePath(path, strokeFor(box, colour));
    } else if (symbol == QLatin1String("chevron.down")) {
        QPainterPath path;
        path.moveTo(box.left() + box.width() * 0.15, box.top() + box.height() * 0.32);
        path.lineTo(box.center().x(), box.top() + box.height() * 0.7);
        path.lineTo(box.right() - box.width() * 0.15, box.top() + box.height() * 0.32);
        painter.strokePath(path, strokeFor(box, colour));
    } else if (symbol == QLatin1String("plus") || symbol == QLatin1String("minus")) {
        // Drawn as strokes: a font's hyphen is far thinner and shorter than a plus.
        const QRectF sign =
            box.adjusted(box.width() * 0.2, box.height() * 0.2, -box.width() * 0.2, -box.height() * 0.2);
        painter.setPen(strokeFor(box, colour));
        painter.drawLine(QPointF(sign.left(), sign.center().y()), QPointF(sign.right(), sign.center().y()));
        if (symbol == QLatin1String("plus"))
            painter.drawLine(QPointF(sign.center().x(), sign.top()),
                             QPointF(sign.center().x(), sign.bottom()));
    } else {
        SymbolView::paint(painter, frame, symbol, font, colour);
    }
    painter.restore();
}

QIcon EditorSymbols::icon(const QString& symbol, int side, const QColor& colour)
{
    QIcon icon;
    // Sharp on screens that scale by two as well.
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap picture(QSize(side, side) * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        QFont font;
        font.setPixelSize(side);
        paint(painter, QRectF(0, 0, side, side), symbol, font, colour);
        painter.end();
        icon.addPixmap(picture);
    }
    return icon;
}

} // namespace tavlen
