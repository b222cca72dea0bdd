#include "platform/linux/DesktopEntryDirectory.h"

#include "platform/linux/XdgFileLocations.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace tavlen::linux_platform {
namespace {

constexpr QLatin1String suffix{".desktop"};

QStringList applicationFolders()
{
    QStringList folders;
    for (const QString& dataDirectory : XdgFileLocations::dataDirectories())
        folders << dataDirectory + QStringLiteral("/applications");
    folders.removeDuplicates();
    return folders;
}

QString idForPath(const QString& applicationsFolder, const QString& filePath)
{
    QString relative = QDir(applicationsFolder).relativeFilePath(filePath);
    relative.chop(suffix.size());
    return relative.replace(QLatin1Char('/'), QLatin1Char('-'));
}

// Every desktop file below one applications folder with its id; a file directly in the
// folder is listed before one in a subfolder, so it wins when both claim an id.
QList<std::pair<QString, QString>> filesIn(const QString& folder)
{
    QList<std::pair<QString, QString>> direct;
    QList<std::pair<QString, QString>> nested;
    QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files | QDir::Readable,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString id = idForPath(folder, path);
        (QFileInfo(path).absolutePath() == QDir(folder).absolutePath() ? direct : nested)
            << std::pair{id, path};
    }
    std::sort(direct.begin(), direct.end());
    std::sort(nested.begin(), nested.end());
    return direct + nested;
}

// The file that carries an id in one folder, if any. The direct name is tried first; an id
// with dashes may also name a file in a subfolder, found by listing the folder.
std::optional<QString> fileFor(const QString& folder, const QString& identifier)
{
    const QString direct = folder + QLatin1Char('/') + identifier + suffix;
    if (QFileInfo(direct).isFile())
        return direct;
    if (!identifier.contains(QLatin1Char('-')) || !QFileInfo(folder).isDir())
        return std::nullopt;
    for (const auto& [id, path] : filesIn(folder)) {
        if (id == identifier)
            return path;
    }
    return std::nullopt;
}

bool isUsableIdentifier(const QString& identifier)
{
    // An id never names a path of its own: no folders, no "..", nothing hidden.
    return !identifier.isEmpty() && !identifier.contains(QLatin1Char('/')) &&
           !identifier.startsWith(QLatin1Char('.')) && !identifier.contains(QChar(0));
}

} // namespace

DesktopEntryDirectory::DesktopEntryDirectory(QString messagesLocale)
    : m_messagesLocale(std::move(messagesLocale))
{}

std::optional<DesktopEntry> DesktopEntryDirectory::read(const QString& path, const QString& identifier) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::optional<DesktopEntry> parsed = DesktopEntry::parse(file.readAll(), m_messagesLocale);
    if (!parsed)
        return std::nullopt;
    parsed->id = identifier;
    parsed->path = path;
    return parsed;
}

std::optional<DesktopEntry> DesktopEntryDirectory::entry(const QString& identifier) const
{
    if (!isUsableIdentifier(identifier))
        return std::nullopt;
    for (const QString& folder : applicationFolders()) {
        const std::optional<QString> path = fileFor(folder, identifier);
        if (!path)
            continue;
        // An invalid file is skipped, as desktop environments do; a valid one decides.
        std::optional<DesktopEntry> found = read(*path, identifier);
        if (!found)
            continue;
        if (found->hidden)
            return std::nullopt;
        return found;
    }
    return std::nullopt;
}

std::optional<ApplicationInfo> DesktopEntryDirectory::find(const QString& identifier) const
{
    const std::optional<DesktopEntry> found = entry(identifier);
    if (!found || !found->isApplication())
        return std::nullopt;
    return ApplicationInfo{found->id, found->name, found->path, found->icon};
}

QList<DesktopEntry> DesktopEntryDirectory::allApplications() const
{
    QList<DesktopEntry> result;
    QSet<QString> decided;
    for (const QString& folder : applicationFolders()) {
        if (!QFileInfo(folder).isDir())
            continue;
        for (const auto& [id, path] : filesIn(folder)) {
            if (decided.contains(id))
                continue;
            std::optional<DesktopEntry> found = read(path, id);
            if (!found)
                continue;
            decided.insert(id);
            if (!found->hidden && found->isApplication())
                result << *found;
        }
    }
    return result;
}

} // namespace tavlen::linux_platform
