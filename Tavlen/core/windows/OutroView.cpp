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
    QRectF plate(0, 0, side, side);
    plate.moveCenter(QRectF(rect()).center());
    // The icon's own proportions: a 4-unit margin and 26-unit corners on 128 units.
    const double unit = side / 128.0;
    plate.adjust(4 * unit, 4 * unit, -4 * unit, -4 * unit);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ApplicationIcon::backgroundColour());
    painter.drawRoundedRect(plate, 26 * unit, 26 * unit);

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
