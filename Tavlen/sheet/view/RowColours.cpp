#include "sheet/view/RowColours.h"

namespace tavlen {

QColor grayTextColour()
{
    return QColor(Qt::gray);
}

QColor toQColor(const RgbColour& colour, double opacity)
{
    return QColor::fromRgbF(static_cast<float>(colour.red), static_cast<float>(colour.green),
                            static_cast<float>(colour.blue), static_cast<float>(opacity));
}

QColor rowTextColour(const RowTextStyle& style, const QPalette& palette)
{
    if (const auto colour = style.colour())
        return toQColor(*colour, style.opacity);
    QColor base = style.kind == RowTextStyle::Kind::Gray
                      ? grayTextColour()
                      : palette.color(QPalette::Active, QPalette::WindowText);
    base.setAlphaF(base.alphaF() * static_cast<float>(style.opacity));
    return base;
}

} // namespace tavlen
