#include "platform/linux/SessionKind.h"

#include <QStringList>

namespace tavlen::linux_platform {

SessionKind SessionKind::current()
{
    return from(qEnvironmentVariable("XDG_SESSION_TYPE"), qEnvironmentVariable("WAYLAND_DISPLAY"),
                qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
}

SessionKind SessionKind::from(const QString& sessionType, const QString& waylandDisplay,
                              const QString& currentDesktop)
{
    SessionKind kind;
    // Tavlen's own windows may run through XWayland (QT_QPA_PLATFORM=xcb); the compositor's
    // socket still tells the session for what it is.
    kind.wayland = sessionType == QLatin1String("wayland") || !waylandDisplay.isEmpty();
    const QStringList desktops = currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (desktops.contains(QLatin1String("GNOME"), Qt::CaseInsensitive))
        kind.desktop = Desktop::Gnome;
    else if (desktops.contains(QLatin1String("KDE"), Qt::CaseInsensitive))
        kind.desktop = Desktop::Plasma;
    return kind;
}

} // namespace tavlen::linux_platform
