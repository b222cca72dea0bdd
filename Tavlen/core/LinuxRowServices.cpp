#include "core/LinuxRowServices.h"

#include "core/AppServices.h"
#include "platform/linux/LinuxPlatform.h"

namespace tavlen {

RowServices linuxRowServices(linux_platform::LinuxPlatform& platform, AppServices& services,
                             NotificationCenter& notifications, Workspace& workspace, MenuSource& menus)
{
    const Platform& base = services.platform();
    return RowServices{services.databaseManager(),
                       services.appSettings(),
                       platform.accessibility(),
                       menus,
                       base.applications,
                       platform.launcher(),
                       notifications,
                       base.locations,
                       base.files,
                       base.keyboard,
                       base.clock,
                       workspace,
                       platform.keySender(),
                       platform.windowActivator(),
                       platform.timers()};
}

} // namespace tavlen
