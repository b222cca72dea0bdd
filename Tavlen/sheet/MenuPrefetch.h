#pragma once

#include "sheet/RowServices.h"

namespace tavlen {

// Reads the frontmost application's menu bar the way the sheet does, and drops the result: the
// accessibility adapter keeps its answers for a moment, so a sheet made right after finds them
// without asking the application again.
void prefetchFrontmostMenus(const RowServices& services);

} // namespace tavlen
