#pragma once

#include "sheet/RowServices.h"

namespace tavlen {

// Has the frontmost application's menus read into the menu source, the way a sheet would ask for
// them, so that a sheet made afterwards finds them. `soon`: the user is about to ask (the
// gesture has begun), so the read starts at once; otherwise after a short delay, which a later
// call replaces (the user passing through applications).
void prefetchFrontmostMenus(const RowServices& services, bool soon);

} // namespace tavlen
