#include "ExitStatus.h"

#include "ConsoleOutput.h"
#include "harvest/MenuSource.h"

namespace tavlen::ctl {

int readStatus(const RunningApplication& app, MenuReadOutcome outcome)
{
    const QString name = app.localizedName.isEmpty() ? app.identifier : app.localizedName;
    switch (outcome) {
    case MenuReadOutcome::Complete:
        return Done;
    case MenuReadOutcome::TimedOut:
        printError(QStringLiteral("%1 (pid %2) did not answer within %3 s")
                       .arg(name)
                       .arg(app.processIdentifier)
                       .arg(MenuSource::READ_DEADLINE_MS / 1000));
        return NotAnswering;
    case MenuReadOutcome::Gone:
        printError(QStringLiteral("%1 (pid %2) quit while its menus were read")
                       .arg(name)
                       .arg(app.processIdentifier));
        return ApplicationQuit;
    }
    return Failed;
}

} // namespace tavlen::ctl
