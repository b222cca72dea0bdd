#pragma once

#include "sheet/ElementRowModel.h"
#include "sheet/view/HoverableRowView.h"

namespace tavlen {

struct RowServices;

// One row of a harvested menu element: a click on the row presses the element.
class HoverableItemView : public HoverableRowView {
    Q_OBJECT
public:
    HoverableItemView(const QString& appTitle, const QString& bundleIdentifier, const MenuItem& element,
                      bool bookmarked, bool hidden, bool hiddenGlobally, const RowServices& services,
                      const RowContentOptions& options, QWidget* parent = nullptr);

    ElementRowModel& model() { return static_cast<ElementRowModel&>(rowModel()); }
    const ElementRowModel& model() const { return static_cast<const ElementRowModel&>(rowModel()); }
};

} // namespace tavlen
