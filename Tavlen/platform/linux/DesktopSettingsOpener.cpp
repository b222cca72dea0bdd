#include "platform/linux/DesktopSettingsOpener.h"

#include "platform/ApplicationDirectory.h"
#include "platform/ApplicationLauncher.h"

#include <algorithm>
#include <array>

namespace tavlen::linux_platform {

namespace {

using Panel = SystemSettingsOpener::Panel;

struct PanelEntry {
    Panel panel;
    // The XDG_CURRENT_DESKTOP names of the desktops whose settings these are.
    const char* desktops;
    const char* entryId;
};

// Where the names of a desktop's entries changed over its releases, all are listed; an id
// that is not installed is passed over.
constexpr std::array<PanelEntry, 22> panelEntries{{
    {Panel::accessibility, "GNOME Unity ubuntu", "gnome-universal-access-panel"},
    {Panel::accessibility, "GNOME Unity ubuntu", "gnome-accessibility-panel"},
    {Panel::accessibility, "Budgie", "budgie-universal-access-panel"},
    {Panel::accessibility, "KDE", "kcm_access"},
    {Panel::accessibility, "XFCE", "xfce4-accessibility-settings"},
    {Panel::accessibility, "MATE", "mate-at-properties"},
    {Panel::accessibility, "X-Cinnamon Cinnamon", "cinnamon-settings-accessibility"},
    {Panel::accessibility, "X-Cinnamon Cinnamon", "cinnamon-settings-universal-access"},
    {Panel::notifications, "GNOME Unity ubuntu", "gnome-notifications-panel"},
    {Panel::notifications, "Budgie", "budgie-notifications-panel"},
    {Panel::notifications, "KDE", "kcm_notifications"},
    {Panel::notifications, "XFCE", "xfce4-notifyd-config"},
    {Panel::notifications, "MATE", "mate-notification-properties"},
    {Panel::notifications, "X-Cinnamon Cinnamon", "cinnamon-settings-notifications"},
    {Panel::autostart, "KDE", "kcm_autostart"},
    {Panel::autostart, "XFCE", "xfce-session-settings"},
    {Panel::autostart, "XFCE", "xfce4-session-settings"},
    {Panel::autostart, "MATE", "mate-session-properties"},
    {Panel::autostart, "X-Cinnamon Cinnamon", "cinnamon-settings-startup"},
    {Panel::autostart, "LXQt", "lxqt-config-session"},
    // GNOME has no startup page of its own; Tweaks lists the startup applications.
    {Panel::autostart, "GNOME Unity ubuntu Budgie", "org.gnome.tweaks"},
    {Panel::autostart, "GNOME Unity ubuntu", "gnome-session-properties"},
}};

QStringList desktopsOf(const PanelEntry& entry)
{
    return QString::fromLatin1(entry.desktops).split(QLatin1Char(' '));
}

bool belongsTo(const PanelEntry& entry, const QStringList& sessionDesktops)
{
    const QStringList desktops = desktopsOf(entry);
    return std::any_of(sessionDesktops.begin(), sessionDesktops.end(), [&](const QString& session) {
        return desktops.contains(session, Qt::CaseInsensitive);
    });
}

} // namespace

DesktopSettingsOpener::DesktopSettingsOpener(const ApplicationDirectory& applications,
                                             ApplicationLauncher& launcher, QStringList sessionDesktops)
    : m_applications(applications), m_launcher(launcher), m_sessionDesktops(std::move(sessionDesktops))
{}

QStringList DesktopSettingsOpener::currentDesktops()
{
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

QStringList DesktopSettingsOpener::candidates(Panel panel) const
{
    const bool knownDesktop =
        std::any_of(panelEntries.begin(), panelEntries.end(),
                    [this](const PanelEntry& e) { return belongsTo(e, m_sessionDesktops); });
    QStringList ids;
    for (const PanelEntry& entry : panelEntries) {
        if (entry.panel == panel && (!knownDesktop || belongsTo(entry, m_sessionDesktops)))
            ids.append(QString::fromLatin1(entry.entryId));
    }
    return ids;
}

bool DesktopSettingsOpener::canOpen(Panel panel) const
{
    const QStringList ids = candidates(panel);
    return std::any_of(ids.begin(), ids.end(),
                       [this](const QString& id) { return m_applications.find(id).has_value(); });
}

bool DesktopSettingsOpener::open(Panel panel)
{
    // An entry that is installed but does not start (a broken Exec line) leaves the next one
    // its chance.
    for (const QString& id : candidates(panel)) {
        if (m_applications.find(id) && m_launcher.launch(id))
            return true;
    }
    return false;
}

} // namespace tavlen::linux_platform
