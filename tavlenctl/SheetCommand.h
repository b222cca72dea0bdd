#pragma once

#include <QStringList>

namespace tavlen {
class Accessibility;
class AppServices;
class Workspace;
} // namespace tavlen

namespace tavlen::ctl {

// `tavlenctl sheet [--app ID] [--format text|markdown|json]`: the sheet the shortcut panel would
// show for a running application (the frontmost one by default), under the user's settings.
int runSheet(const QStringList& arguments, AppServices& services, Accessibility& accessibility,
             Workspace& workspace);

} // namespace tavlen::ctl
