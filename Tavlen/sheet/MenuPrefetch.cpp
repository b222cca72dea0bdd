#include "sheet/MenuPrefetch.h"

#include "harvest/HotkeyManager.h"
#include "harvest/MenuSource.h"
#include "platform/Workspace.h"
#include "settings/AppSettings.h"
#include "store/DatabaseManager.h"

namespace tavlen {

void prefetchFrontmostMenus(const RowServices& services, bool soon)
{
    const std::optional<RunningApplication> app = services.workspace.frontmostApplication();
    if (!app)
        return;
    const HotkeyManager manager(app->localizedName, app->identifier, services.workspace,
                                services.databaseManager.applicationRecorder(),
                                services.appSettings.harvestSettings(), services.clock);
    if (soon)
        services.menus.readNow(*app, manager.walkLimits());
    else
        services.menus.readAhead(*app, manager.walkLimits());
}

} // namespace tavlen
