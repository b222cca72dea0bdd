#pragma once

#include <QString>
#include <optional>

namespace tavlen {

// Where Tavlen keeps and finds its files. The Linux implementation follows the XDG base
// directory rules; tests point the variables at temporary folders.
class FileLocations {
public:
    virtual ~FileLocations() = default;

    // The per-user folder shared by every Tavlen process for the given group id
    // ("group.com.Fenwater.Tavlen"); none when the user's data folder cannot be determined.
    virtual std::optional<QString> groupContainer(const QString& groupIdentifier) const = 0;

    // The user's folder for application data of all programs ($XDG_DATA_HOME).
    virtual std::optional<QString> applicationSupport() const = 0;

    // The user's configuration folder ($XDG_CONFIG_HOME).
    virtual std::optional<QString> configHome() const = 0;

    // A file shipped with Tavlen (in share/tavlen of the build tree or the installed prefix).
    virtual std::optional<QString> resourceFile(const QString& name) const = 0;
};

} // namespace tavlen
