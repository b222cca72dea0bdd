#include "ExitStatus.h"

#include "ConsoleOutput.h"
#include "harvest/MenuSource.h"

namespace tavlen::ctl {

int readStatus(const RunningApplication& app, MenuStatus status)
{
    const QString trouble = troubleText(
        status, app.localizedName.isEmpty() ? app.identifier : app.localizedName, app.processIdentifier);
    if (!trouble.isEmpty())
        printError(trouble);
    switch (status) {
    case MenuStatus::NotAnswering:
        return NotAnswering;
    case MenuStatus::Quit:
        return ApplicationQuit;
    case MenuStatus::Read:
    case MenuStatus::Cached:
        break;
    }
    return Done;
}

int absenceStatus(const RunningApplication& app, const MenuAbsence& absence, int status)
{
    const QString reason =
        absenceText(absence, app.localizedName.isEmpty() ? app.identifier : app.localizedName);
    if (reason.isEmpty() || status != Done)
        return status;
    printError(reason);
    // An application that answers has been read, even when it had nothing to show.
    const bool unreadable =
        absence.kind == MenuAbsence::Kind::NotOnBus || absence.kind == MenuAbsence::Kind::SwitchedOff;
    return unreadable ? Failed : Done;
}

int readStatus(const RunningApplication& app, MenuReadOutcome outcome)
{
    return readStatus(app, statusAfter(outcome));
}

} // namespace tavlen::ctl
