#include "sheet/view/RowMetrics.h"

#include <cmath>

namespace tavlen {

RowMetrics rowMetrics(double fontSize, bool showHotkeyOnTheRight, bool showBookmarks)
{
    const double fs = fontSize;
    const bool large = fs > 13;
    RowMetrics metrics;
    metrics.shortcutFrameWidth = large ? 90 + 7 * (fs - 13) : 90;
    metrics.shortcutLeadingPadding = large ? fs - 33 : -20;
    metrics.shortcutTrailingPadding = (large ? fs - 13 : 0) + (showBookmarks ? 0 : fs - 2);
    metrics.verticalPadding = large ? fs - 11 : 2;
    metrics.leadingPadding = showHotkeyOnTheRight ? 0 : 15;
    metrics.bookmarkFontSize = fs - 2;
    metrics.titleFontSize = fs;
    return metrics;
}

double symbolFrameWidth(double fontSize)
{
    return fontSize;
}

double characterMinimumWidth(double fontSize)
{
    return std::ceil(fontSize / 2);
}

} // namespace tavlen
