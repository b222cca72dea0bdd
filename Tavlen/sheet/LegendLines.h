#pragma once

#include "sheet/RowTextStyle.h"

#include <QList>
#include <QString>

namespace tavlen {

class AppSettings;

// One line of the legend of row styles that the shortcut panel shows while Tavlen itself is
// frontmost. It is drawn like an element row, always keeping room for the bookmark mark
// ("bookmark.fill"), which is visible only where `bookmarkVisible` says.
struct LegendLine {
    QString title;
    QString sampleShortcut;
    RowTextStyle style;
    bool bookmarkVisible = false;

    friend bool operator==(const LegendLine&, const LegendLine&) = default;
};

// The legend's lines in order: three always, plus the inactive line with `showInactiveMenu`
// and the two hidden lines with `showUserHiddenElements`. The bookmarked line shows its mark
// only with `showBookmarks`.
QList<LegendLine> legendLines(bool showBookmarks, bool showInactiveMenu, bool showUserHiddenElements);
QList<LegendLine> legendLines(const AppSettings& appSettings);

} // namespace tavlen
