#pragma once

#include <QString>
#include <optional>

namespace tavlen {

// One installed application as its desktop entry describes it.
struct ApplicationInfo {
    QString identifier; // the desktop entry id without ".desktop"
    QString name;       // Name, localized for the user's locale
    QString location;   // path of the desktop entry file
    QString icon;       // Icon: a theme icon name or an absolute path; empty when none
};

// Looks installed applications up by application id (the Linux counterpart of a bundle
// identifier).
class ApplicationDirectory {
public:
    virtual ~ApplicationDirectory() = default;
    virtual std::optional<ApplicationInfo> find(const QString& identifier) const = 0;
};

} // namespace tavlen
