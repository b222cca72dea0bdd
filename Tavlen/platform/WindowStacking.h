#pragma once

#include <QtGlobal>

namespace tavlen {

// What the window manager does with one of Tavlen's own windows beyond Qt's window flags:
// showing it on every desktop, keeping it above everything else, and leaving it out of the
// taskbar and the pager. Windows are named by
// their native id (QWidget::winId). Requests for windows that are not Tavlen's, or made
// without a window manager to ask, are ignored.
class WindowStacking {
public:
    virtual ~WindowStacking() = default;

    virtual void keepOnAllDesktops(quintptr nativeWindowId) = 0;
    virtual void keepAbove(quintptr nativeWindowId, bool above) = 0;
    // For windows that are no application window of their own (panels, fades).
    virtual void keepOffTaskbar(quintptr nativeWindowId) = 0;
    // Whether a compositing manager draws the windows now. Only then does a window's transparent
    // part show what lies beneath; without one it comes out black, and a window that is not a
    // rectangle needs a shape of its own. True where there is nothing to ask (no X display).
    virtual bool compositing() const = 0;
};

} // namespace tavlen
