#include "sheet/view/HoverableRowView.h"

#include "sheet/view/PopupTether.h"
#include "sheet/view/RowContextMenu.h"
#include "sheet/view/SymbolView.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QVBoxLayout>

namespace tavlen {

HoverableRowView::HoverableRowView(RowModel* model, const QString& title, const RowContentOptions& options,
                                   QWidget* parent)
    : QWidget(parent), m_model(model)
{
    m_model->setParent(this);
    m_content = new RowContentView(title, m_model->keyText(), options, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_content);
    // Not fixed in height: a title that wraps in a narrow column makes its row taller.
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAttribute(Qt::WA_Hover);
    if (SymbolView* mark = m_content->bookmarkMark()) {
        mark->setClickable(true);
        connect(mark, &SymbolView::clicked, m_model, &RowModel::toggleBookmark);
    }
    connect(m_model, &RowModel::changed, this, &HoverableRowView::refresh);
    refresh();
}

void HoverableRowView::refresh()
{
    m_content->setTextStyle(m_model->textStyle());
    m_content->setBookmark(m_model->bookmarkSymbolName(), m_model->bookmarkOpacity());
    if (m_model->isHovered() != m_shownHover) {
        m_shownHover = m_model->isHovered();
        Q_EMIT hoveredChanged();
    }
}

QMenu* HoverableRowView::createContextMenu()
{
    // Owned by the caller, not the row: a menu outlives a row that a new sheet replaces.
    return rowContextMenu(
        m_model->contextMenuEntries(),
        [model = QPointer(m_model)](ContextMenuEntry::Kind kind) {
            if (model)
                model->trigger(kind);
        },
        nullptr);
}

void HoverableRowView::enterEvent(QEnterEvent* event)
{
    m_model->setHovered(true);
    QWidget::enterEvent(event);
}

void HoverableRowView::leaveEvent(QEvent* event)
{
    m_model->setHovered(false);
    QWidget::leaveEvent(event);
}

void HoverableRowView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        m_model->press();
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void HoverableRowView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    closeWithWindow(*menu, *this);
    menu->popup(event->globalPos());
    event->accept();
}

} // namespace tavlen
