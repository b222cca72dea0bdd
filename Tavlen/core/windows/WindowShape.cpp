#include "core/windows/WindowShape.h"

#include <QPainterPath>
#include <QRegion>
#include <QWidget>

namespace tavlen {

namespace {
// One per process, like the display it asks about.
std::function<bool()>& probe()
{
    static std::function<bool()> instance;
    return instance;
}
} // namespace

void WindowShape::setCompositingProbe(std::function<bool()> compositingProbe)
{
    probe() = std::move(compositingProbe);
}

bool WindowShape::compositing()
{
    return !probe() || probe()();
}

void WindowShape::apply(QWidget& window, const QPainterPath& outline)
{
    if (compositing())
        window.clearMask();
    else
        window.setMask(QRegion(outline.toFillPolygon().toPolygon()));
}

} // namespace tavlen
