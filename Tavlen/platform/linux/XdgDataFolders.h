#pragma once

#include "platform/DataFolders.h"

namespace tavlen::linux_platform {

// The XDG data folders, read from the environment at every call, and Tavlen's own data folder
// beside the executable.
class XdgDataFolders final : public DataFolders {
public:
    QStringList searchPath() const override;
    std::optional<QDateTime> lastModified(const QString& path) const override;
};

} // namespace tavlen::linux_platform
