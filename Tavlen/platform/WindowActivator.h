#pragma once

#include "platform/Workspace.h"

namespace tavlen {

// Brings a running application to the front, so that keys typed next reach it.
class WindowActivator {
public:
    virtual ~WindowActivator() = default;

    // Asks the desktop to activate one of the application's top-level windows. True when the
    // request was made; the desktop may still take a moment to carry it out. False when the
    // application has no window to activate or no request could be sent.
    virtual bool activate(const RunningApplication& application) = 0;
};

} // namespace tavlen
