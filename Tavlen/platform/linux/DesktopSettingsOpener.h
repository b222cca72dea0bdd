#pragma once

#include "platform/SystemSettingsOpener.h"

#include <QStringList>
#include <optional>

namespace tavlen {
class ApplicationDirectory;
class ApplicationLauncher;
} // namespace tavlen

namespace tavlen::linux_platform {

// Opens the settings of the desktop the user is logged in to, through the desktop entries its
// settings programs install for single pages (GNOME's gnome-notifications-panel, KDE's
// kcm_autostart, MATE's mate-at-properties, …). The entries of the session's own desktop are
// the only ones tried when the desktop is one this class knows: another desktop's settings
// would change that desktop's configuration, not this one's. For a desktop it does not know
// (a bare window manager), any installed entry is better than none.
class DesktopSettingsOpener final : public SystemSettingsOpener {
public:
    // `sessionDesktops` as in $XDG_CURRENT_DESKTOP ("ubuntu:GNOME" gives "ubuntu", "GNOME").
    DesktopSettingsOpener(const ApplicationDirectory& applications, ApplicationLauncher& launcher,
                          QStringList sessionDesktops);

    // $XDG_CURRENT_DESKTOP, split at its colons.
    static QStringList currentDesktops();

    bool canOpen(Panel panel) const override;
    bool open(Panel panel) override;

    // The desktop entry ids that may open a panel, in the order they are tried.
    QStringList candidates(Panel panel) const;

private:
    const ApplicationDirectory& m_applications;
    ApplicationLauncher& m_launcher;
    QStringList m_sessionDesktops;
};

} // namespace tavlen::linux_platform
