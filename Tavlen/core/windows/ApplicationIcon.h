#pragma once

#include <QIcon>
#include <QPainterPath>
#include <QPixmap>
#include <QRectF>

class QPainter;

namespace tavlen {

// Tavlen's icon (data/icons/com.Fenwater.Tavlen.svg), drawn rather than loaded so that it
// needs no SVG support: the command sign in light strokes on a dark rounded square.
class ApplicationIcon {
public:
    ApplicationIcon() = delete;

    // The whole icon, scaled into the square `target`.
    static void paint(QPainter& painter, const QRectF& target);
    // The outline of the icon's dark tile when the icon fills `target`.
    static QPainterPath tileOutline(const QRectF& target);
    // The command sign alone, in the icon's stroke colour.
    static void paintSymbol(QPainter& painter, const QRectF& target);
    // The icon's background colour.
    static QColor backgroundColour();
    static QColor symbolColour();

    static QPixmap pixmap(int side);
    // The sizes trays ask for.
    static QIcon icon();
};

} // namespace tavlen
