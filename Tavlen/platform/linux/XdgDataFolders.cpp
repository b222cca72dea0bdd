#include "platform/linux/XdgDataFolders.h"

#include "platform/linux/XdgFileLocations.h"

#include <QDir>
#include <QFileInfo>

namespace tavlen::linux_platform {

QStringList XdgDataFolders::searchPath() const
{
    QStringList folders = XdgFileLocations::dataDirectories();
    // The build tree and an installed prefix share the layout bin/ + share/: the folder above
    // Tavlen's own data folder is the data folder of its prefix.
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!executable.isEmpty()) {
        const QString own =
            QDir::cleanPath(QFileInfo(executable).path() + QStringLiteral("/../" TAVLEN_DATA_SUBDIR "/.."));
        if (!folders.contains(own))
            folders << own;
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
