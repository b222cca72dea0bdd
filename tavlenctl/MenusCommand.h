#pragma once

#include "harvest/ShortcutSupplier.h"

#include <QStringList>

namespace tavlen {
class Accessibility;
class AppServices;
class Workspace;
} // namespace tavlen

namespace tavlen::ctl {

// `tavlenctl menus [--app ID] [--json]`: harvests an application's menu bar (the frontmost
// application's when no id is given) and prints the tree the sheet would receive, or, with
// --json, records the raw menu bar in the fixture format the in-memory adapter replays. The tree
// holds the groups of the other sources after the menus; a recording holds the menu bar alone.
int runMenus(const QStringList& arguments, AppServices& services, Accessibility& accessibility,
             Workspace& workspace, const ShortcutSuppliers& suppliers);

} // namespace tavlen::ctl
