#pragma once

#include "sheet/CustomRowModel.h"
#include "sheet/view/RowContentView.h"

#include <QWidget>

class QMenu;

namespace tavlen {

struct RowServices;

// One row of a custom shortcut, drawn and handled like HoverableItemView: a click on the row
// types the shortcut, the bookmark mark bookmarks, the context menu hides or shows it.
class HoverableCustomItemView : public QWidget {
    Q_OBJECT
public:
    // `appTitle` and `bundleIdentifier` are "Global" and "global" for a global shortcut.
    HoverableCustomItemView(const QString& appTitle, const QString& bundleIdentifier,
                            const ManualHotkey& item, bool bookmarked, bool hidden,
                            const RowServices& services, const RowContentOptions& options,
                            QWidget* parent = nullptr);

    CustomRowModel& model() { return *m_model; }
    const CustomRowModel& model() const { return *m_model; }
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

    CustomRowModel* m_model;
    RowContentView* m_content;
    bool m_shownHover = false;
};

} // namespace tavlen
