#include "sheet/view/LegendView.h"

#include "settings/AppSettings.h"
#include "sheet/LegendLines.h"
#include "sheet/view/RowContentView.h"
#include "sheet/view/SymbolView.h"

#include <QVBoxLayout>
#include <cmath>

namespace tavlen {

LegendView::LegendView(const AppSettings& appSettings, QWidget* parent) : QWidget(parent)
{
    const double fs = appSettings.fontSize();
    RowContentOptions options;
    options.fontSize = fs;
    options.showHotkeyOnTheRight = appSettings.showHotkeyOnTheRight();
    options.showBookmarks = true; // every line keeps the mark's room
    options.applyLimitToTitles = appSettings.applyLimitToTitles();
    options.limitTitles = appSettings.limitTitles();
    options.bookmarkFontSize = fs - 1;
    options.bookmarkFrameWidth = fs + 3;

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(static_cast<int>(std::lround(fs * 0.25)));
    stack->addStretch(1);
    for (const LegendLine& line : legendLines(appSettings)) {
        auto* row = new RowContentView(line.title, line.sampleShortcut, options, this);
        row->setTextStyle(line.style);
        row->setBookmark(QStringLiteral("bookmark.fill"), line.bookmarkVisible ? 1.0 : 0.0);
        stack->addWidget(row);
        m_lines.append(row);
    }
    stack->addStretch(1);
}

} // namespace tavlen
