#include "sheet/view/PictogramView.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace tavlen {

PictogramView::PictogramView(QString symbol, QWidget* parent) : QWidget(parent), m_symbol(std::move(symbol))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void PictogramView::setSymbol(const QString& symbol)
{
    if (symbol == m_symbol)
        return;
    m_symbol = symbol;
    // A subclass may size itself by the symbol.
    updateGeometry();
    update();
}

void PictogramView::setOpacity(double opacity)
{
    if (opacity == m_opacity)
        return;
    m_opacity = opacity;
    update();
}

QIcon PictogramView::drawnIcon(int side, std::initializer_list<int> scales,
                               const std::function<void(QPainter&, const QRectF&)>& paint)
{
    QIcon icon;
    for (const int scale : scales) {
        QPixmap picture(side * scale, side * scale);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(painter, QRectF(0, 0, side * scale, side * scale));
        painter.end();
        picture.setDevicePixelRatio(scale);
        icon.addPixmap(picture);
    }
    return icon;
}

QPen PictogramView::roundPen(const QColor& colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPen PictogramView::linePen(const QColor& colour, const QRectF& box, double weight)
{
    return roundPen(colour, std::max(1.0, box.height() / weight));
}

void PictogramView::paintEvent(QPaintEvent*)
{
    if (m_opacity <= 0)
        return;
    QPainter painter(this);
    painter.setOpacity(m_opacity);
    paintPictogram(painter, QRectF(rect()), palette().color(QPalette::WindowText));
}

} // namespace tavlen
