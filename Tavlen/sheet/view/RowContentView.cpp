#include "sheet/view/RowContentView.h"

#include "sheet/LimitedTitle.h"
#include "sheet/view/CharacterView.h"
#include "sheet/view/RowColours.h"
#include "sheet/view/RowMetrics.h"
#include "sheet/view/SheetFont.h"
#include "sheet/view/SymbolView.h"
#include "sheet/view/TitleView.h"

#include <QHBoxLayout>
#include <algorithm>
#include <cmath>

namespace tavlen {

namespace {
constexpr int partSpacing = 6;

int points(double length)
{
    return static_cast<int>(std::lround(length));
}
} // namespace

RowContentView::RowContentView(const QString& title, const QString& keyText, const RowContentOptions& options,
                               QWidget* parent)
    : QWidget(parent)
{
    const RowMetrics metrics =
        rowMetrics(options.fontSize, options.showHotkeyOnTheRight, options.showBookmarks);
    auto* row = new QHBoxLayout(this);
    row->setSpacing(partSpacing);

    m_title = new TitleView(limitedTitle(title, options.applyLimitToTitles, options.limitTitles),
                            options.fontSize, options.applyLimitToTitles, this);
    m_shortcut = new CharacterView(keyText, options.fontSize, this);
    if (options.showBookmarks) {
        m_bookmark = new SymbolView(
            QStringLiteral("bookmark"),
            sheetFont(options.bookmarkFontSize.value_or(metrics.bookmarkFontSize), QFont::DemiBold), this);
        if (options.bookmarkFrameWidth)
            m_bookmark->setFrameWidth(*options.bookmarkFrameWidth);
    }

    const int vertical = points(metrics.verticalPadding);
    if (options.showHotkeyOnTheRight) {
        row->setContentsMargins(points(metrics.leadingPadding), vertical, 0, vertical);
        if (m_bookmark)
            row->addWidget(m_bookmark, 0, Qt::AlignVCenter);
        addTitle(*row, options.applyLimitToTitles);
        row->addWidget(m_shortcut, 0, Qt::AlignVCenter);
        return;
    }

    // The shortcut's frame reaches back into the row's leading padding; a widget cannot draw
    // before its own left edge, so what would fall outside the row is taken off the padding.
    const double frameStart = metrics.leadingPadding + metrics.shortcutLeadingPadding;
    row->setContentsMargins(points(std::max(0.0, frameStart)), vertical, 0, vertical);
    m_shortcutFrame = new QWidget(this);
    m_shortcutFrame->setFixedWidth(points(metrics.shortcutFrameWidth));
    auto* frame = new QHBoxLayout(m_shortcutFrame);
    frame->setContentsMargins(0, 0, 0, 0);
    // Left-aligned, so that the modifier slots line up from row to row whatever the key's width.
    frame->addWidget(m_shortcut, 0, Qt::AlignLeft | Qt::AlignVCenter);
    row->addWidget(m_shortcutFrame, 0, Qt::AlignVCenter);
    row->addSpacing(std::max(0, points(metrics.shortcutTrailingPadding)));
    if (m_bookmark)
        row->addWidget(m_bookmark, 0, Qt::AlignVCenter);
    addTitle(*row, options.applyLimitToTitles);
}

void RowContentView::addTitle(QHBoxLayout& row, bool singleLine)
{
    // A title that may wrap takes all the room the row has left, so that it wraps only when the
    // column is too narrow for it; a title cut to one line keeps its own width.
    if (singleLine) {
        row.addWidget(m_title, 0, Qt::AlignVCenter);
        row.addStretch(1);
    } else {
        row.addWidget(m_title, 1, Qt::AlignVCenter);
    }
}

QString RowContentView::shownTitle() const
{
    return m_title->text();
}

QString RowContentView::keyText() const
{
    return m_shortcut->inputString();
}

void RowContentView::setTextStyle(const RowTextStyle& style)
{
    // Normal rows follow the panel's palette, so a change of appearance reaches them too.
    if (style == RowTextStyle::normal()) {
        setPalette(QPalette());
        return;
    }
    const QColor colour = rowTextColour(style, palette());
    QPalette palette;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::WindowText, colour);
        palette.setColor(group, QPalette::Text, colour);
    }
    setPalette(palette);
}

QColor RowContentView::textColour() const
{
    return palette().color(QPalette::Active, QPalette::WindowText);
}

void RowContentView::setBookmark(const QString& symbol, double opacity)
{
    if (m_bookmark == nullptr)
        return;
    m_bookmark->setSymbol(symbol);
    m_bookmark->setOpacity(opacity);
}

} // namespace tavlen
