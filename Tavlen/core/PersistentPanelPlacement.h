#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace tavlen {

// Where the persistent panel stands on a screen whose visible frame is `visibleFrame` (screen
// coordinates, y growing downwards): a seventeenth of the frame's width in from its left edge,
// or from its right edge when `onTheRight`, centred vertically and raised by the same margin.
QPointF persistentPanelTopLeft(const QRectF& visibleFrame, const QSizeF& panelSize, bool onTheRight);

} // namespace tavlen
