#include "sheet/view/HoverableCustomItemView.h"

namespace tavlen {

HoverableCustomItemView::HoverableCustomItemView(const QString& appTitle, const QString& bundleIdentifier,
                                                 const ManualHotkey& item, bool bookmarked, bool hidden,
                                                 const RowServices& services,
                                                 const RowContentOptions& options, QWidget* parent)
    : HoverableRowView(new CustomRowModel(appTitle, bundleIdentifier, item, bookmarked, hidden, services),
                       item.title, options, parent)
{}

} // namespace tavlen
