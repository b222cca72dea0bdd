#include "sheet/view/HoverableItemView.h"

#include "sheet/view/RowContextMenu.h"
#include "sheet/view/SymbolView.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QVBoxLayout>

namespace tavlen {

HoverableItemView::HoverableItemView(const QString& appTitle, const QString& bundleIdentifier,
                                     const MenuItem& element, bool bookmarked, bool hidden,
                                     bool hiddenGlobally, const RowServices& services,
                                     const RowContentOptions& options, QWidget* parent)
    : QWidget(parent)
    , m_model(new ElementRowModel(appTitle, bundleIdentifier, element, bookmarked, hidden, hiddenGlobally,
                                  services, this))
{
    m_content = new RowContentView(element.title, m_model->keyText(), options, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_content);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
    if (SymbolView* mark = m_content->bookmarkMark()) {
        mark->setClickable(true);
        connect(mark, &SymbolView::clicked, m_model, &ElementRowModel::toggleBookmark);
    }
    connect(m_model, &ElementRowModel::changed, this, &HoverableItemView::refresh);
    refresh();
}

void HoverableItemView::refresh()
{
    m_content->setTextStyle(m_model->textStyle());
    m_content->setBookmark(m_model->bookmarkSymbolName(), m_model->bookmarkOpacity());
    if (m_model->isHovered() != m_shownHover) {
        m_shownHover = m_model->isHovered();
        Q_EMIT hoveredChanged();
    }
}

QMenu* HoverableItemView::createContextMenu()
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

void HoverableItemView::enterEvent(QEnterEvent* event)
{
    m_model->setHovered(true);
    QWidget::enterEvent(event);
}

void HoverableItemView::leaveEvent(QEvent* event)
{
    m_model->setHovered(false);
    QWidget::leaveEvent(event);
}

void HoverableItemView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        m_model->press();
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void HoverableItemView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

} // namespace tavlen
