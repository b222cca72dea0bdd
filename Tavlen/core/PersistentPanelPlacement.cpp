#include "core/PersistentPanelPlacement.h"

namespace tavlen {

QPointF persistentPanelTopLeft(const QRectF& visibleFrame, const QSizeF& panelSize, bool onTheRight)
{
    const double margin = visibleFrame.width() / 17.0;
    const double x =
        onTheRight ? visibleFrame.right() - margin - panelSize.width() : visibleFrame.left() + margin;
    // Raised means towards the top of the screen, which is a smaller y here.
    const double y = visibleFrame.center().y() - panelSize.height() * 0.5 - margin;
    return {x, y};
}

} // namespace tavlen
