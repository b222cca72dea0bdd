#include "core/LaunchAtLogin.h"

#include "platform/LoginItems.h"

namespace tavlen {

void applyLaunchAtLogin(bool enabled, LoginItems& loginItems)
{
    if (loginItems.isEnabled() == enabled)
        return;
    // Nothing is shown to the user when the desktop refuses; the setting itself is kept.
    static_cast<void>(loginItems.setEnabled(enabled));
}

} // namespace tavlen
