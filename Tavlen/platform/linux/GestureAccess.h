#pragma once

#include "platform/linux/SessionKind.h"

#include <QString>

namespace tavlen::linux_platform {

// The way the gestures reach Tavlen in a session, best first, and what Tavlen says about it:
// which way it uses and how to get a better one on this desktop.
enum class GestureAccess {
    // X11: XInput 2 raw events on the display.
    DisplayKeys,
    // The kernel's input devices, read directly (Wayland, user in the `input` group).
    InputDevices,
    // The desktop portal's global shortcut, which the desktop lets the user pick a key for;
    // its press and release stand for Super's.
    PortalShortcut,
    // A keyboard shortcut bound on the desktop to "tavlen --show-shortcuts"; the panel then
    // stays until the same command closes it.
    DesktopShortcut,
};

class GestureAccessNotice {
public:
    GestureAccessNotice() = delete;

    // One paragraph for standard error and Settings › General; empty where nothing needs
    // saying (X11).
    static QString text(GestureAccess access, const SessionKind& session);
};

} // namespace tavlen::linux_platform
