#include "TargetApplication.h"

#include "ConsoleOutput.h"
#include "core/RunningApplicationMatch.h"
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
        const QList<RunningApplication> running =
            matchRunningApplications(identifier, workspace.allRunningApplications());
        if (running.isEmpty()) {
            printError(QStringLiteral("No running application has the id, program or name '%1' "
                                      "(tavlenctl apps lists them).")
                           .arg(identifier));
            return std::nullopt;
        }
        app = running.first();
    }
    // Applications started with accessibility forced on (Qt's, GTK's with their bridge loaded)
    // are on the bus whatever the switch says: they are read all the same.
    if (!accessibility.isProcessTrusted(false))
        printError(QStringLiteral("Accessibility is switched off: only applications that joined the "
                                  "accessibility bus anyway can be read."));
    return app;
}

} // namespace tavlen::ctl
