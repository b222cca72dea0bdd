#pragma once

#include <QFont>

namespace tavlen {

// The system font at a size in points of the sheet's design. Those points are the lengths the
// layout uses everywhere (widths, paddings), so fonts are sized in the same device-independent
// pixels rather than in typographic points, which would grow with the screen's DPI setting.
QFont sheetFont(double size, QFont::Weight weight = QFont::Normal);

} // namespace tavlen
