#pragma once

#include "sheet/RowServices.h"

namespace tavlen::linux_platform {
class LinuxPlatform;
} // namespace tavlen::linux_platform

namespace tavlen {

class AppServices;
class MenuSource;
class NotificationCenter;
class Workspace;

// What the sheet's rows act through, from the real platform and the process's shared objects.
// `workspace` is the platform's own unless the caller pins the sheet to one application.
RowServices linuxRowServices(linux_platform::LinuxPlatform& platform, AppServices& services,
                             NotificationCenter& notifications, Workspace& workspace, MenuSource& menus);

} // namespace tavlen
