#pragma once

#include "harvest/ShortcutSupplier.h"

#include <QStringList>

namespace tavlen {
class Accessibility;
class AppServices;
class Workspace;
} // namespace tavlen

namespace tavlen::ctl {

// `tavlenctl apps`: every running application with its id, toolkit, whether its shortcuts can be
// read, and where they come from with how many each source gives; the reason for those that
// show nothing.
int runApps(const QStringList& arguments, AppServices& services, Accessibility& accessibility,
            Workspace& workspace, const ShortcutSuppliers& suppliers);

} // namespace tavlen::ctl
