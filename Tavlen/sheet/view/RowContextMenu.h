#pragma once

#include "sheet/ContextMenuEntry.h"

#include <QList>
#include <functional>

class QMenu;
class QWidget;

namespace tavlen {

// A row's context menu from the entries its model lists, in their order: dividers as
// separators, a symbol before the text where an entry names one, disabled entries greyed out.
// Choosing an entry hands its kind to `trigger`. The menu belongs to `parent` (may be null).
QMenu* rowContextMenu(const QList<ContextMenuEntry>& entries,
                      const std::function<void(ContextMenuEntry::Kind)>& trigger, QWidget* parent);

} // namespace tavlen
