#pragma once

#include "platform/FileLocations.h"

#include <QStringList>

namespace tavlen::linux_platform {

// XDG base directories, read from the environment at every call so that a test can point
// them elsewhere.
class XdgFileLocations final : public FileLocations {
public:
    std::optional<QString> groupContainer(const QString& groupIdentifier) const override;
    std::optional<QString> applicationSupport() const override;
    std::optional<QString> configHome() const override;
    std::optional<QString> resourceFile(const QString& name) const override;

    // $XDG_DATA_HOME followed by $XDG_DATA_DIRS, each with its documented default.
    static QStringList dataDirectories();
    // Tavlen's own data folder beside the running executable (<prefix>/share/tavlen); none when
    // the executable cannot be found.
    static std::optional<QString> ownDataDirectory();
};

} // namespace tavlen::linux_platform
