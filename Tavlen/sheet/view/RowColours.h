#pragma once

#include "sheet/RowTextStyle.h"

#include <QColor>
#include <QPalette>

namespace tavlen {

// The platform's gray for inactive rows.
QColor grayTextColour();

// The colour a row's title and shortcut are drawn in: the palette's text colour for normal
// rows, gray for inactive ones, the two hidden colours at the style's opacity.
QColor rowTextColour(const RowTextStyle& style, const QPalette& palette);

// Turns a model colour into Qt's.
QColor toQColor(const RgbColour& colour, double opacity = 1.0);

} // namespace tavlen
