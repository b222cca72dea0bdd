#include "sheet/MenuPrefetch.h"

#include "sheet/MenuItemViewModel.h"

namespace tavlen {

void prefetchFrontmostMenus(const RowServices& services)
{
    MenuItemViewModel model(services.workspace, services.accessibility, services.databaseManager,
                            services.appSettings, services.applications, services.clock);
    model.readFrontmostApplication();
    model.fetchMenuItems();
}

} // namespace tavlen
