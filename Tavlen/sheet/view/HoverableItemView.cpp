#include "sheet/view/HoverableItemView.h"

namespace tavlen {

HoverableItemView::HoverableItemView(const QString& appTitle, const QString& bundleIdentifier,
                                     const MenuItem& element, bool bookmarked, bool hidden,
                                     bool hiddenGlobally, const RowServices& services,
                                     const RowContentOptions& options, QWidget* parent)
    : HoverableRowView(new ElementRowModel(appTitle, bundleIdentifier, element, bookmarked, hidden,
                                           hiddenGlobally, services),
                       element.title, options, parent)
{}

} // namespace tavlen
