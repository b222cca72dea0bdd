#include "platform/linux/XdgFileLocations.h"

#include <QDir>
#include <QFileInfo>

namespace tavlen::linux_platform {
namespace {

// The XDG rules ignore relative paths in these variables.
std::optional<QString> baseDirectory(const char* variable, const char* fallbackBelowHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    const QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty() || !QDir::isAbsolutePath(home))
        return std::nullopt;
    return QDir::cleanPath(home + QLatin1Char('/') + QLatin1String(fallbackBelowHome));
}

} // namespace

std::optional<QString> XdgFileLocations::groupContainer(const QString& groupIdentifier) const
{
    const auto data = applicationSupport();
    if (!data || groupIdentifier.isEmpty())
        return std::nullopt;
    return *data + QLatin1Char('/') + groupIdentifier;
}

std::optional<QString> XdgFileLocations::applicationSupport() const
{
    return baseDirectory("XDG_DATA_HOME", ".local/share");
}

std::optional<QString> XdgFileLocations::configHome() const
{
    return baseDirectory("XDG_CONFIG_HOME", ".config");
}

QStringList XdgFileLocations::dataDirectories()
{
    QStringList result;
    if (const auto home = baseDirectory("XDG_DATA_HOME", ".local/share"))
        result << *home;
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir))
            result << QDir::cleanPath(dir);
    }
    return result;
}

std::optional<QString> XdgFileLocations::ownDataDirectory()
{
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (executable.isEmpty())
        return std::nullopt;
    return QDir::cleanPath(executable.section(QLatin1Char('/'), 0, -2) +
                           QStringLiteral("/../" TAVLEN_DATA_SUBDIR));
}

std::optional<QString> XdgFileLocations::resourceFile(const QString& name) const
{
    // Beside the executable first: the build tree and an installed prefix share the layout
    // bin/ + share/tavlen/, so a build never picks up an older installed copy by accident.
    QStringList candidates;
    if (const std::optional<QString> own = ownDataDirectory())
        candidates << *own;
    for (const QString& dir : dataDirectories())
        candidates << dir + QStringLiteral("/tavlen");
    for (const QString& dir : candidates) {
        const QString path = dir + QLatin1Char('/') + name;
        if (QFileInfo(path).isFile())
            return path;
    }
    return std::nullopt;
}

} // namespace tavlen::linux_platform
