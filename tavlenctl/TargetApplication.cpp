#include "TargetApplication.h"

#include "ConsoleOutput.h"
#include "platform/Accessibility.h"

namespace tavlen::ctl {

std::optional<RunningApplication> targetApplication(const QString& identifier, Workspace& workspace,
                                                    Accessibility& accessibility)
{
    std::optional<RunningApplication> app;
    if (identifier.isEmpty()) {
        app = workspace.frontmostApplication();
        if (!app) {
            printError(QStringLiteral("No application is frontmost."));
            return std::nullopt;
        }
    } else {
        const QList<RunningApplication> running = workspace.runningApplications(identifier);
        if (running.isEmpty()) {
            printError(QStringLiteral("No running application has the id '%1'.").arg(identifier));
            return std::nullopt;
        }
        app = running.first();
    }
    if (!accessibility.isProcessTrusted(false)) {
        printError(QStringLiteral("Accessibility is switched off: no menus can be read."));
        return std::nullopt;
    }
    return app;
}

} // namespace tavlen::ctl
