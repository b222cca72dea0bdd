#include "platform/linux/LinuxPlatform.h"

#include "platform/linux/DesktopEntryDirectory.h"
#include "platform/linux/LocalFileSystem.h"
#include "platform/linux/QSettingsUserDefaults.h"
#include "platform/linux/SystemClock.h"
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

std::optional<QString> LinuxPlatform::settingsFile() const
{
    return m_services->defaults.filePath();
}

} // namespace tavlen::linux_platform
