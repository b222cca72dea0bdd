#include "platform/linux/LinuxPlatform.h"

#include "platform/linux/AtspiAccessibility.h"
#include "platform/linux/DesktopEntryDirectory.h"
#include "platform/linux/DesktopEntryLauncher.h"
#include "platform/linux/EwmhWindowActivator.h"
#include "platform/linux/LocalFileSystem.h"
#include "platform/linux/QSettingsUserDefaults.h"
#include "platform/linux/QtTimers.h"
#include "platform/linux/SystemClock.h"
#include "platform/linux/X11Workspace.h"
#include "platform/linux/XTestKeySender.h"
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
    if (!m_workspace)
        m_workspace = std::make_unique<X11Workspace>();
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
    if (!m_keySender)
        m_keySender = std::make_unique<XTestKeySender>();
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

std::optional<QString> LinuxPlatform::settingsFile() const
{
    return m_services->defaults.filePath();
}

} // namespace tavlen::linux_platform
