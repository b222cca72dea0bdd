#include "core/windows/OutroView.h"

#include "core/windows/ApplicationIcon.h"

#include <QPainter>
#include <algorithm>

namespace tavlen {

OutroView::OutroView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void OutroView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height());
    QRectF square(0, 0, side, side);
    square.moveCenter(QRectF(rect()).center());
    // The icon's own tile, which the sign and the farewell stand on.
    const QPainterPath tile = ApplicationIcon::tileOutline(square);
    const QRectF plate = tile.boundingRect();
    painter.fillPath(tile, ApplicationIcon::backgroundColour());

    QRectF symbol(0, 0, side * 0.6, side * 0.6);
    symbol.moveCenter(QPointF(plate.center().x(), plate.top() + plate.height() * 0.4));
    ApplicationIcon::paintSymbol(painter, symbol);

    QFont font = painter.font();
    font.setPixelSize(std::max(1, static_cast<int>(side * 0.13)));
    painter.setFont(font);
    painter.setPen(ApplicationIcon::symbolColour());
    const QRectF caption(plate.left(), plate.top() + plate.height() * 0.72, plate.width(),
                         plate.height() * 0.22);
    painter.drawText(caption, Qt::AlignCenter, farewell());
}

} // namespace tavlen
