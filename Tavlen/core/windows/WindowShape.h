#pragma once

#include <functional>

class QPainterPath;
class QWidget;

namespace tavlen {

// Tavlen's windows that are not rectangles (the panels with their rounded corners, the fades,
// the key recorder) are drawn on a transparent ground. Without a compositing manager that ground
// comes out black: such a window then takes its outline as its shape (the X shape extension,
// through QWidget::setMask), and keeps the plain window where a compositor draws the corners.
class WindowShape {
public:
    // Whether a compositing manager runs now (WindowStacking::compositing); without a probe,
    // as on platforms that always compose, it is taken to run.
    static void setCompositingProbe(std::function<bool()> probe);
    static bool compositing();

    // Gives `window` the shape of `outline` (in its own coordinates) without a compositor, and
    // no shape with one.
    static void apply(QWidget& window, const QPainterPath& outline);
};

} // namespace tavlen
