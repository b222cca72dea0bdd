#include "platform/linux/LinuxPlatform.h"

#include "platform/linux/AtspiAccessibility.h"
#include "platform/linux/AtspiWorkspace.h"
#include "platform/linux/DesktopEntryDirectory.h"
#include "platform/linux/DesktopEntryLauncher.h"
#include "platform/linux/EwmhWindowActivator.h"
#include "platform/linux/FallbackWorkspace.h"
#include "platform/linux/LocalFileSystem.h"
#include "platform/linux/QSettingsUserDefaults.h"
#include "platform/linux/QtTimers.h"
#include "platform/linux/ReportedKeySender.h"
#include "platform/linux/SessionKind.h"
#include "platform/linux/SystemClock.h"
#include "platform/linux/UinputKeySender.h"
#include "platform/linux/X11Workspace.h"
#include "platform/linux/XTestKeySender.h"
#include "platform/linux/XdgDataFolders.h"
#include "platform/linux/XdgFileLocations.h"
#include "platform/linux/XkbKeyboardLayout.h"

namespace tavlen::linux_platform {

struct LinuxPlatform::Services {
    SystemClock clock;
    XdgFileLocations locations;
    LocalFileSystem files;
    QSettingsUserDefaults defaults{locations};
    DesktopEntryDirectory applications;
    XkbKeyboardLayout keyboard;
    XdgDataFolders dataFolders;
};

LinuxPlatform::LinuxPlatform() : m_services(std::make_unique<Services>())
{}

LinuxPlatform::~LinuxPlatform() = default;

Platform LinuxPlatform::services() const
{
    return Platform{m_services->clock,    m_services->locations,    m_services->files,
                    m_services->defaults, m_services->applications, m_services->keyboard};
}

Accessibility& LinuxPlatform::accessibility()
{
    if (!m_accessibility)
        m_accessibility = std::make_unique<AtspiAccessibility>();
    return *m_accessibility;
}

Workspace& LinuxPlatform::workspace()
{
    if (m_workspace)
        return *m_workspace;
    m_windowManagerWorkspace = std::make_unique<X11Workspace>();
    auto accessibilityWorkspace = std::make_unique<AtspiWorkspace>();
    accessibilityWorkspace->start();
    m_accessibilityWorkspace = std::move(accessibilityWorkspace);
    // In a Wayland session the X11 window manager knows the XWayland windows alone, and may
    // keep naming one of them while a native window is in front: there the accessibility bus
    // goes first, and EWMH only names what it does not know.
    if (SessionKind::current().isWayland())
        m_workspace =
            std::make_unique<FallbackWorkspace>(*m_accessibilityWorkspace, *m_windowManagerWorkspace);
    else
        m_workspace =
            std::make_unique<FallbackWorkspace>(*m_windowManagerWorkspace, *m_accessibilityWorkspace);
    return *m_workspace;
}

ApplicationLauncher& LinuxPlatform::launcher()
{
    if (!m_launcher)
        m_launcher = std::make_unique<DesktopEntryLauncher>(m_services->applications);
    return *m_launcher;
}

KeySender& LinuxPlatform::keySender()
{
    if (m_keySender)
        return *m_keySender;
    QString why;
    if (SessionKind::current().isWayland()) {
        // XTest reaches only the X11 windows of XWayland; a virtual keyboard reaches all.
        auto uinput = std::make_unique<UinputKeySender>();
        if (uinput->isAvailable()) {
            m_typingSender = std::move(uinput);
        } else {
            auto xtest = std::make_unique<XTestKeySender>();
            if (xtest->isAvailable()) {
                m_keySendingNotice = QStringLiteral(
                    "Tavlen: this Wayland session does not let Tavlen type into Wayland applications "
                    "(/dev/uinput is not writable); custom shortcuts reach X11 (XWayland) applications "
                    "only. The README says how to allow it.");
                why = QStringLiteral(
                    "Custom shortcuts reach X11 (XWayland) applications only: /dev/uinput is not writable.");
            } else {
                m_keySendingNotice = QStringLiteral(
                    "Tavlen: this Wayland session cannot type custom shortcuts (/dev/uinput is not writable "
                    "and there is no XWayland). The README says how to allow it.");
                why =
                    QStringLiteral("This session cannot type keys: /dev/uinput is not writable and there is "
                                   "no XWayland.");
            }
            m_typingSender = std::move(xtest);
        }
    } else {
        auto xtest = std::make_unique<XTestKeySender>();
        if (!xtest->isAvailable())
            why = QStringLiteral("There is no X display with the XTEST extension.");
        m_typingSender = std::move(xtest);
    }
    if (why.isEmpty())
        why = QStringLiteral("The key has no counterpart on this keyboard.");
    m_keySender = std::make_unique<ReportedKeySender>(*m_typingSender, why, m_report);
    return *m_keySender;
}

WindowActivator& LinuxPlatform::windowActivator()
{
    if (!m_windowActivator)
        m_windowActivator = std::make_unique<EwmhWindowActivator>();
    return *m_windowActivator;
}

Timers& LinuxPlatform::timers()
{
    if (!m_timers)
        m_timers = std::make_unique<QtTimers>();
    return *m_timers;
}

QString LinuxPlatform::keySendingNotice()
{
    keySender();
    return m_keySendingNotice;
}

std::optional<QString> LinuxPlatform::settingsFile() const
{
    return m_services->defaults.filePath();
}

const DataFolders& LinuxPlatform::dataFolders() const
{
    return m_services->dataFolders;
}

} // namespace tavlen::linux_platform
