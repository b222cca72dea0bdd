#pragma once

#include "platform/Workspace.h"

#include <optional>

namespace tavlen {
class Accessibility;
}

namespace tavlen::ctl {

// The running application a command works on: the one the user named (by id, program or
// desktop entry Name, see matchRunningApplications), or the frontmost one when the name is
// empty. None, with the reason printed, when there is no such application. With accessibility
// switched off it says so and goes on: the application may be on the bus all the same.
std::optional<RunningApplication> targetApplication(const QString& identifier, Workspace& workspace,
                                                    Accessibility& accessibility);

} // namespace tavlen::ctl
