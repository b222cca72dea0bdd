#pragma once

#include "platform/Workspace.h"

#include <optional>

namespace tavlen {
class Accessibility;
}

namespace tavlen::ctl {

// The running application a command works on: the one with that id, or the frontmost one
// when the id is empty. None, with the reason printed, when there is no such application or
// its menus cannot be read because accessibility is off.
std::optional<RunningApplication> targetApplication(const QString& identifier, Workspace& workspace,
                                                    Accessibility& accessibility);

} // namespace tavlen::ctl
