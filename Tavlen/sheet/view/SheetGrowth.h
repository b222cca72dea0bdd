#pragma once

#include <optional>

class QSizeF;
class QWidget;

namespace tavlen {

class MenuItemView;

// Keeps a panel as tall as its sheet wants, from the height it was made with up to the screen's
// visible height (`visibleFrame`, or the fallback screen without one); beyond that the sheet
// scrolls. Follows every rebuild of the sheet for as long as both live.
void growWithSheet(QWidget& panel, MenuItemView& sheet, double madeHeight,
                   const std::optional<QSizeF>& visibleFrame);

} // namespace tavlen
