#pragma once

#include "sheet/RowServices.h"

#include <QtGlobal>
#include <optional>

class QSizeF;
class QVBoxLayout;
class QWidget;

namespace tavlen {

class MenuItemView;

// Keeps a panel as tall as its sheet wants, from the height it was made with up to the screen's
// visible height (`visibleFrame`, or the fallback screen without one); beyond that the sheet
// scrolls. Follows every rebuild of the sheet for as long as both live.
void growWithSheet(QWidget& panel, MenuItemView& sheet, double madeHeight,
                   const std::optional<QSizeF>& visibleFrame);

// A panel's sheet: made with `columns` columns (0 for the setting's), added to the panel's
// `stack` and grown with as above.
MenuItemView* addGrowingSheet(QVBoxLayout& stack, const RowServices& services, qint64 columns, QWidget& panel,
                              double madeHeight, const std::optional<QSizeF>& visibleFrame);

} // namespace tavlen
