#include "platform/linux/LinuxPlatform.h"

#include "platform/linux/AtspiAccessibility.h"
#include "platform/linux/DesktopEntryDirectory.h"
#include "platform/linux/LocalFileSystem.h"
#include "platform/linux/QSettingsUserDefaults.h"
#include "platform/linux/SystemClock.h"
#include "platform/linux/X11Workspace.h"
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

std::optional<QString> LinuxPlatform::settingsFile() const
{
    return m_services->defaults.filePath();
}

} // namespace tavlen::linux_platform
