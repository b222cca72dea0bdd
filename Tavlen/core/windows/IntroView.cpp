#include "core/windows/IntroView.h"

#include "core/windows/ApplicationIcon.h"

#include <QPainter>
#include <algorithm>

namespace tavlen {

IntroView::IntroView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void IntroView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const double side = std::min(width(), height());
    QRectF square(0, 0, side, side);
    square.moveCenter(QRectF(rect()).center());
    ApplicationIcon::paint(painter, square);
}

} // namespace tavlen
