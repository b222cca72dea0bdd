#include "sheet/view/SheetGrowth.h"

#include "sheet/view/MenuItemView.h"
#include "sheet/view/PanelSizes.h"

#include <QSizeF>
#include <QVBoxLayout>
#include <QWidget>
#include <cmath>

namespace tavlen {

void growWithSheet(QWidget& panel, MenuItemView& sheet, double madeHeight,
                   const std::optional<QSizeF>& visibleFrame)
{
    const double tallest = visibleFrameOrFallback(visibleFrame).height();
    const auto grow = [&panel, &sheet, madeHeight, tallest] {
        panel.setFixedHeight(
            static_cast<int>(std::ceil(grownPanelHeight(sheet.preferredHeight(), madeHeight, tallest))));
    };
    QObject::connect(&sheet, &MenuItemView::rebuilt, &panel, grow);
    QObject::connect(&sheet, &MenuItemView::preferredHeightChanged, &panel, grow);
}

MenuItemView* addGrowingSheet(QVBoxLayout& stack, const RowServices& services, qint64 columns, QWidget& panel,
                              double madeHeight, const std::optional<QSizeF>& visibleFrame)
{
    auto* sheet = MenuItemView::create(
        services, columns, visibleFrame ? std::optional(visibleFrame->height()) : std::nullopt, &panel);
    stack.addWidget(sheet);
    growWithSheet(panel, *sheet, madeHeight, visibleFrame);
    return sheet;
}

} // namespace tavlen
