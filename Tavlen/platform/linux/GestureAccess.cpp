#include "platform/linux/GestureAccess.h"

namespace tavlen::linux_platform {

namespace {

QString inputGroupAdvice()
{
    return QStringLiteral("For the gestures (Super twice and hold), let Tavlen read the keyboards: "
                          "\"sudo usermod -aG input $USER\", then log out and in again.");
}

QString shortcutAdvice(SessionKind::Desktop desktop)
{
    switch (desktop) {
    case SessionKind::Desktop::Gnome:
        return QStringLiteral(
            "Bind a key to the command \"tavlen --show-shortcuts\" in Settings › Keyboard › "
            "View and Customize Shortcuts › Custom Shortcuts.");
    case SessionKind::Desktop::Plasma:
        return QStringLiteral("Bind a key to the command \"tavlen --show-shortcuts\" in System Settings › "
                              "Keyboard › Shortcuts › Add New › Command or Script (Plasma 5: Shortcuts › "
                              "Custom Shortcuts › Edit › New › Global Shortcut › Command/URL).");
    case SessionKind::Desktop::Other:
        break;
    }
    return QStringLiteral("Bind a key to the command \"tavlen --show-shortcuts\" in the compositor's "
                          "configuration (sway: bindsym $mod+slash exec tavlen --show-shortcuts).");
}

} // namespace

QString GestureAccessNotice::text(GestureAccess access, const SessionKind& session)
{
    switch (access) {
    case GestureAccess::DisplayKeys:
        return {};
    case GestureAccess::InputDevices:
        return QStringLiteral("Tavlen reads the keyboards directly (/dev/input): the gestures work in every "
                              "application.");
    case GestureAccess::PortalShortcut:
        return QStringLiteral("The gestures use the desktop's global shortcut \"Show the shortcut panel\" "
                              "instead of Super (its key is set in the desktop's keyboard settings): press "
                              "it twice and hold it. %1")
            .arg(inputGroupAdvice());
    case GestureAccess::DesktopShortcut:
        return QStringLiteral(
                   "This Wayland session does not let Tavlen see the keyboard, so the gestures do "
                   "not work; the panel opens with \"tavlen --show-shortcuts\" and stays until the "
                   "command runs again. %1 %2")
            .arg(shortcutAdvice(session.desktop), inputGroupAdvice());
    }
    return {};
}

} // namespace tavlen::linux_platform
