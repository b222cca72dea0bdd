#pragma once

#include "sheet/CustomRowModel.h"
#include "sheet/view/HoverableRowView.h"

namespace tavlen {

struct RowServices;

// One row of a custom shortcut: a click on the row types the shortcut, the context menu hides
// or shows it.
class HoverableCustomItemView : public HoverableRowView {
    Q_OBJECT
public:
    // `appTitle` and `bundleIdentifier` are "Global" and "global" for a global shortcut.
    HoverableCustomItemView(const QString& appTitle, const QString& bundleIdentifier,
                            const ManualHotkey& item, bool bookmarked, bool hidden,
                            const RowServices& services, const RowContentOptions& options,
                            QWidget* parent = nullptr);

    CustomRowModel& model() { return static_cast<CustomRowModel&>(rowModel()); }
    const CustomRowModel& model() const { return static_cast<const CustomRowModel&>(rowModel()); }
};

} // namespace tavlen
