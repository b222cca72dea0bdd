#pragma once

#include "sheet/RowServices.h"

namespace tavlen {
class AppServices;
class MenuSource;
class NotificationCenter;
class Workspace;
} // namespace tavlen

namespace tavlen::linux_platform {

class LinuxPlatform;

// What the sheet's rows act through, from the real platform and the process's shared objects.
// `workspace` is the platform's own unless the caller pins the sheet to one application.
RowServices rowServices(LinuxPlatform& platform, AppServices& services, NotificationCenter& notifications,
                        Workspace& workspace, MenuSource& menus);

} // namespace tavlen::linux_platform
