#pragma once

#include "sheet/ElementRowModel.h"
#include "sheet/view/RowContentView.h"

#include <QWidget>

class QMenu;

namespace tavlen {

struct RowServices;

// One row of a harvested menu element. The row model holds the flags and runs the actions;
// this view draws its state (colour, bookmark mark) and hands it the user's clicks: a click on
// the bookmark mark bookmarks, a click elsewhere on the row presses the element, the context
// menu offers the model's entries. The hover highlight is drawn behind the row by its
// RowStackView.
class HoverableItemView : public QWidget {
    Q_OBJECT
public:
    HoverableItemView(const QString& appTitle, const QString& bundleIdentifier, const MenuItem& element,
                      bool bookmarked, bool hidden, bool hiddenGlobally, const RowServices& services,
                      const RowContentOptions& options, QWidget* parent = nullptr);

    ElementRowModel& model() { return *m_model; }
    const ElementRowModel& model() const { return *m_model; }
    RowContentView& content() { return *m_content; }
    bool isHovered() const { return m_model->isHovered(); }

    // The context menu as it would open now; the caller owns it.
    QMenu* createContextMenu();

Q_SIGNALS:
    void hoveredChanged();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void refresh();

    ElementRowModel* m_model;
    RowContentView* m_content;
    bool m_shownHover = false;
};

} // namespace tavlen
