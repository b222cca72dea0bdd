#pragma once

#include "harvest/ShortcutSupplier.h"

#include <QStringList>

namespace tavlen {
class AppServices;
namespace linux_platform {
class LinuxPlatform;
}
} // namespace tavlen

namespace tavlen::ctl {

// `tavlenctl sheet [--app ID] [--format text|markdown|json] [--png FILE]`: the sheet the
// shortcut panel would show for a running application (the frontmost one by default), under the
// user's settings; with --png, drawn as the panel draws it into a picture instead.
int runSheet(const QStringList& arguments, AppServices& services, linux_platform::LinuxPlatform& platform,
             const ShortcutSuppliers& suppliers);

// Whether the arguments ask for a picture, which needs a GUI application object.
bool sheetNeedsPicture(const QStringList& arguments);

} // namespace tavlen::ctl
