#pragma once

#include <QString>

namespace tavlen::linux_platform {

// Which display server the desktop runs on and whose desktop it is, as the session's
// environment says: what Tavlen can watch and send, and which set-up advice fits, follow from it.
struct SessionKind {
    enum class Desktop { Gnome, Plasma, Other };

    bool wayland = false;
    Desktop desktop = Desktop::Other;

    bool isWayland() const { return wayland; }

    // From XDG_SESSION_TYPE, WAYLAND_DISPLAY and XDG_CURRENT_DESKTOP.
    static SessionKind current();
    static SessionKind from(const QString& sessionType, const QString& waylandDisplay,
                            const QString& currentDesktop);
};

} // namespace tavlen::linux_platform
