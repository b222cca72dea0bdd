#pragma once

#include "harvest/MenuRead.h"
#include "harvest/MenuSource.h"
#include "platform/Workspace.h"

namespace tavlen::ctl {

// What tavlenctl's exit status says; listed in its help text.
enum ExitStatus : int {
    Done = 0,
    // No such application, accessibility off, a file that could not be read or written.
    Failed = 1,
    Usage = 2,
    // The application did not answer before the read's deadline; what it answered was printed.
    NotAnswering = 3,
    // The application quit while its menus were read.
    ApplicationQuit = 4,
    // Something escaped that should not have (memory ran out); main says what.
    Unexpected = 70,
};

// The status for how a read ended; says why on standard error when it did not end well.
int readStatus(const RunningApplication& app, MenuStatus status);
int readStatus(const RunningApplication& app, MenuReadOutcome outcome);
// After a read that went well but found no menus: says why on standard error, and fails when
// the application cannot be read at all. `status` is what the read's end said.
int absenceStatus(const RunningApplication& app, const MenuAbsence& absence, int status);

} // namespace tavlen::ctl
