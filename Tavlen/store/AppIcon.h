#pragma once

#include <QString>
#include <optional>

namespace tavlen {

class ApplicationDirectory;

// The icon of an installed application: its theme icon name or image path, or a generic
// application icon when its entry names none. None when the application is not installed
// (and so for "global").
std::optional<QString> appIcon(const QString& identifier, const ApplicationDirectory& applications);

} // namespace tavlen
