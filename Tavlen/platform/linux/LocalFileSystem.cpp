#include "platform/linux/LocalFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tavlen::linux_platform {

bool LocalFileSystem::exists(const QString& path) const
{
    return QFileInfo::exists(path);
}

std::optional<FileError> LocalFileSystem::makePath(const QString& directory)
{
    if (QDir().mkpath(directory))
        return std::nullopt;
    return FileError{QStringLiteral("The folder \u201C%1\u201D could not be created.").arg(directory)};
}

std::optional<FileError> LocalFileSystem::createEmptyFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return FileError{file.errorString()};
    return std::nullopt;
}

FileResult<QByteArray> LocalFileSystem::readAll(const QString& path) const
{
    if (QFileInfo(path).isDir())
        return FileError{
            QStringLiteral("The file \u201C%1\u201D couldn\u2019t be opened because it is a folder.")
                .arg(QFileInfo(path).fileName())};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileError{QStringLiteral("The file \u201C%1\u201D couldn\u2019t be opened: %2")
                             .arg(QFileInfo(path).fileName(), file.errorString())};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FileError{QStringLiteral("The file \u201C%1\u201D couldn\u2019t be read: %2")
                             .arg(QFileInfo(path).fileName(), file.errorString())};
    return bytes;
}

std::optional<FileError> LocalFileSystem::writeAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FileError{file.errorString()};
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return FileError{file.errorString()};
    }
    if (!file.commit())
        return FileError{file.errorString()};
    return std::nullopt;
}

std::optional<FileError> LocalFileSystem::removeFile(const QString& path)
{
    QFile file(path);
    if (!file.exists() || file.remove())
        return std::nullopt;
    return FileError{QStringLiteral("The file \u201C%1\u201D couldn\u2019t be removed: %2")
                         .arg(QFileInfo(path).fileName(), file.errorString())};
}

} // namespace tavlen::linux_platform
