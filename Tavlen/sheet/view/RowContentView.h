#pragma once

#include "sheet/RowTextStyle.h"

#include <QColor>
#include <QString>
#include <QWidget>
#include <optional>

class QHBoxLayout;

namespace tavlen {

class CharacterView;
class SymbolView;
class TitleView;

// How a row is laid out, from the display settings.
struct RowContentOptions {
    double fontSize = 13.0;
    bool showHotkeyOnTheRight = false;
    bool showBookmarks = true;
    bool applyLimitToTitles = true;
    double limitTitles = 45.0;
    // The bookmark mark: fs − 2 in sheet rows, fs − 1 in a frame fs + 3 wide in the legend.
    std::optional<double> bookmarkFontSize;
    std::optional<double> bookmarkFrameWidth;
};

// The inside of a sheet row, shared by element rows, custom rows and legend lines: the
// shortcut (first in a fixed frame, or last after a flexible space), the bookmark mark (with
// the setting `showBookmarks`) and the shortened title, with the row's paddings. It draws in
// the colour it is given; what the parts mean is the owner's business.
class RowContentView : public QWidget {
    Q_OBJECT
public:
    RowContentView(const QString& title, const QString& keyText, const RowContentOptions& options,
                   QWidget* parent = nullptr);

    // The title as shown, after limitedTitle.
    QString shownTitle() const;
    QString keyText() const;

    void setTextStyle(const RowTextStyle& style);
    QColor textColour() const;

    // Null without the setting `showBookmarks`.
    SymbolView* bookmarkMark() const { return m_bookmark; }
    void setBookmark(const QString& symbol, double opacity);

    CharacterView* shortcutView() const { return m_shortcut; }
    TitleView* titleView() const { return m_title; }
    // The fixed frame the shortcut is centred in; null with the shortcut on the right.
    QWidget* shortcutFrame() const { return m_shortcutFrame; }

private:
    void addTitle(QHBoxLayout& row, bool singleLine);

    TitleView* m_title = nullptr;
    CharacterView* m_shortcut = nullptr;
    QWidget* m_shortcutFrame = nullptr;
    SymbolView* m_bookmark = nullptr;
};

} // namespace tavlen
