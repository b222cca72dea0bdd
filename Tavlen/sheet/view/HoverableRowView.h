#pragma once

#include "sheet/RowModel.h"
#include "sheet/view/RowContentView.h"

#include <QWidget>

class QMenu;

namespace tavlen {

// One sheet row on screen. The row model holds the flags and runs the actions; this view draws
// its state (colour, bookmark mark) and hands it the user's clicks: a click on the bookmark mark
// bookmarks, a click elsewhere on the row presses it, the context menu offers the model's
// entries. The hover highlight is drawn behind the row by its RowStackView.
class HoverableRowView : public QWidget {
    Q_OBJECT
public:
    RowContentView& content() { return *m_content; }
    bool isHovered() const { return m_model->isHovered(); }

    // The context menu as it would open now; the caller owns it.
    QMenu* createContextMenu();

Q_SIGNALS:
    void hoveredChanged();

protected:
    // Takes `model` over (it becomes the view's child); `title` is the row's text.
    HoverableRowView(RowModel* model, const QString& title, const RowContentOptions& options,
                     QWidget* parent);

    RowModel& rowModel() { return *m_model; }
    const RowModel& rowModel() const { return *m_model; }

    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void refresh();

    RowModel* m_model;
    RowContentView* m_content;
    bool m_shownHover = false;
};

} // namespace tavlen
