#include "sheet/view/SheetFont.h"

#include <QApplication>
#include <algorithm>
#include <cmath>

namespace tavlen {

QFont sheetFont(double size, QFont::Weight weight)
{
    QFont font = QApplication::font();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    font.setWeight(weight);
    return font;
}

} // namespace tavlen
