#include "sheet/view/RowContextMenu.h"

#include "sheet/view/SheetFont.h"
#include "sheet/view/SymbolView.h"

#include <QMenu>

namespace tavlen {

QMenu* rowContextMenu(const QList<ContextMenuEntry>& entries,
                      const std::function<void(ContextMenuEntry::Kind)>& trigger, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    for (const ContextMenuEntry& entry : entries) {
        if (entry.kind == ContextMenuEntry::Kind::Divider) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(entry.title);
        if (!entry.symbolName.isEmpty())
            action->setIcon(SymbolView::icon(entry.symbolName, sheetFont(14),
                                             menu->palette().color(QPalette::WindowText)));
        action->setEnabled(entry.enabled);
        action->setData(static_cast<int>(entry.kind));
        const ContextMenuEntry::Kind kind = entry.kind;
        QObject::connect(action, &QAction::triggered, menu, [trigger, kind] { trigger(kind); });
    }
    return menu;
}

} // namespace tavlen
