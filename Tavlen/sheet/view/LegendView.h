#pragma once

#include <QList>
#include <QWidget>

namespace tavlen {

class AppSettings;
class RowContentView;

// The legend of row styles shown while Tavlen itself is frontmost: one line per style, drawn
// like an element row with a fixed title and a sample shortcut, each keeping room for a
// bookmark mark that only the bookmarked line shows (with the setting `showBookmarks`).
class LegendView : public QWidget {
    Q_OBJECT
public:
    explicit LegendView(const AppSettings& appSettings, QWidget* parent = nullptr);

    const QList<RowContentView*>& lines() const { return m_lines; }

private:
    QList<RowContentView*> m_lines;
};

} // namespace tavlen
