#pragma once

namespace tavlen {

// Lengths of a sheet row (and of a legend line, which is drawn the same way), in points, from
// the setting `fontSize` (fs) and the two layout settings. Negative paddings pull a part into
// the room of its neighbour.
struct RowMetrics {
    // The shortcut's centred frame when the shortcut comes first: 90, widened by 7 per point
    // above 13. Unused with the shortcut on the right.
    double shortcutFrameWidth = 90.0;
    double shortcutLeadingPadding = -20.0;
    double shortcutTrailingPadding = 0.0;
    double verticalPadding = 2.0;
    // 15 with the shortcut on the left, 0 with it on the right.
    double leadingPadding = 15.0;
    // The bookmark mark's font size (fs − 2) and the title's (fs).
    double bookmarkFontSize = 11.0;
    double titleFontSize = 13.0;
};

RowMetrics rowMetrics(double fontSize, bool showHotkeyOnTheRight, bool showBookmarks);

// A key character of the sheet: pictograms at fs − 2 in a frame fs wide, text characters at fs
// in a frame at least half of fs wide, rounded up.
double symbolFrameWidth(double fontSize);
double characterMinimumWidth(double fontSize);

} // namespace tavlen
