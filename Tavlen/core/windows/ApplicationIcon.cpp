#include "core/windows/ApplicationIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace tavlen {

namespace {

// The icon is drawn on a 128-unit canvas, as in its SVG.
constexpr double canvas = 128.0;
constexpr double loopRadius = 15.0;
constexpr double strokeWidth = 9.0;
// The dark tile: a 4-unit margin and 26-unit corners.
constexpr double tileMargin = 4.0;
constexpr double tileCornerRadius = 26.0;

// A square from (33, 48)–(95, 80) whose corners run on into four loops of three quarters of
// a circle each.
QPainterPath commandSign()
{
    const auto loop = [](double centreX, double centreY) {
        return QRectF(centreX - loopRadius, centreY - loopRadius, 2 * loopRadius, 2 * loopRadius);
    };
    QPainterPath path(QPointF(48, 33));
    path.arcTo(loop(33, 33), 0, 270);
    path.lineTo(95, 48);
    path.arcTo(loop(95, 33), 270, 270);
    path.lineTo(80, 95);
    path.arcTo(loop(95, 95), 180, 270);
    path.lineTo(33, 80);
    path.arcTo(loop(33, 95), 90, 270);
    path.closeSubpath();
    return path;
}

void toCanvas(QPainter& painter, const QRectF& target)
{
    painter.translate(target.topLeft());
    painter.scale(target.width() / canvas, target.height() / canvas);
}

} // namespace

QPainterPath ApplicationIcon::tileOutline(const QRectF& target)
{
    const double unitX = target.width() / canvas;
    const double unitY = target.height() / canvas;
    QPainterPath tile;
    tile.addRoundedRect(
        target.adjusted(tileMargin * unitX, tileMargin * unitY, -tileMargin * unitX, -tileMargin * unitY),
        tileCornerRadius * unitX, tileCornerRadius * unitY);
    return tile;
}

QColor ApplicationIcon::backgroundColour()
{
    return {0x2f, 0x3b, 0x4c};
}

QColor ApplicationIcon::symbolColour()
{
    return {0xf4, 0xf1, 0xea};
}

void ApplicationIcon::paint(QPainter& painter, const QRectF& target)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(tileOutline(target), backgroundColour());
    painter.restore();
    paintSymbol(painter, target);
}

void ApplicationIcon::paintSymbol(QPainter& painter, const QRectF& target)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    toCanvas(painter, target);
    painter.setPen(QPen(symbolColour(), strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(commandSign());
    painter.restore();
}

QPixmap ApplicationIcon::pixmap(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(painter, QRectF(0, 0, side, side));
    return pixmap;
}

QIcon ApplicationIcon::icon()
{
    QIcon icon;
    for (const int side : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(pixmap(side));
    return icon;
}

} // namespace tavlen
