#include "platform/linux/XdgDataFolders.h"

#include "platform/linux/XdgFileLocations.h"

#include <QDir>
#include <QFileInfo>

namespace tavlen::linux_platform {

QStringList XdgDataFolders::searchPath() const
{
    QStringList folders = XdgFileLocations::dataDirectories();
    // The folder above Tavlen's own data folder is the data folder of its prefix.
    if (const std::optional<QString> own = XdgFileLocations::ownDataDirectory()) {
        const QString prefixData = QDir::cleanPath(*own + QStringLiteral("/.."));
        if (!folders.contains(prefixData))
            folders << prefixData;
    }
    folders.removeDuplicates();
    return folders;
}

std::optional<QDateTime> XdgDataFolders::lastModified(const QString& path) const
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    return info.lastModified();
}

} // namespace tavlen::linux_platform
