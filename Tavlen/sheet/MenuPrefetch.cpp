#include "sheet/MenuPrefetch.h"

#include "harvest/HotkeyManager.h"
#include "harvest/MenuSource.h"
#include "platform/Workspace.h"

namespace tavlen {

void prefetchFrontmostMenus(const RowServices& services, bool soon)
{
    const std::optional<RunningApplication> app = services.workspace.frontmostApplication();
    if (!app)
        return;
    const HotkeyManager manager(app->localizedName, app->identifier, services.workspace,
                                services.databaseManager, services.appSettings, services.clock);
    if (soon)
        services.menus.readNow(*app, manager.walkLimits());
    else
        services.menus.readAhead(*app, manager.walkLimits());
}

} // namespace tavlen
