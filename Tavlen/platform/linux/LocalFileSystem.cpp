#include "platform/linux/LocalFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    const QString name = QFileInfo(path).fileName();
    // Opened without waiting (a pipe would wait for a writer) and looked at before it is read:
    // what is checked is what is read, even if the name is given to another file meanwhile.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return FileError{QStringLiteral("The file \u201C%1\u201D couldn\u2019t be opened: %2")
                             .arg(name, QString::fromLocal8Bit(std::strerror(errno)))};
    const auto closeLater = qScopeGuard([fd] { ::close(fd); });
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return FileError{QStringLiteral("The file \u201C%1\u201D couldn\u2019t be read: %2")
                             .arg(name, QString::fromLocal8Bit(std::strerror(errno)))};
    if (S_ISDIR(status.st_mode))
        return FileError{
            QStringLiteral("The file \u201C%1\u201D couldn\u2019t be opened because it is a folder.")
                .arg(name)};
    if (!S_ISREG(status.st_mode))
        return FileError{
            QStringLiteral(
                "The file \u201C%1\u201D couldn\u2019t be opened because it is not a regular file.")
                .arg(name)};
    if (status.st_size > MAX_READ_BYTES)
        return FileError{QStringLiteral("The file \u201C%1\u201D is too large (more than %2 MiB).")
                             .arg(name)
                             .arg(MAX_READ_BYTES / (1024 * 1024))};
    // A file that grows while it is read stops at the limit all the same.
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(status.st_size) + 1);
    qsizetype total = 0;
    for (;;) {
        if (total == bytes.size()) {
            if (total > MAX_READ_BYTES)
                return FileError{QStringLiteral("The file \u201C%1\u201D is too large (more than %2 MiB).")
                                     .arg(name)
                                     .arg(MAX_READ_BYTES / (1024 * 1024))};
            bytes.resize(std::min<qsizetype>(bytes.size() * 2, MAX_READ_BYTES + 1));
        }
        const ssize_t got = ::read(fd, bytes.data() + total, static_cast<size_t>(bytes.size() - total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return FileError{QStringLiteral("The file \u201C%1\u201D couldn\u2019t be read: %2")
                                 .arg(name, QString::fromLocal8Bit(std::strerror(errno)))};
        if (got == 0)
            break;
        total += got;
    }
    if (total > MAX_READ_BYTES)
        return FileError{QStringLiteral("The file \u201C%1\u201D is too large (more than %2 MiB).")
                             .arg(name)
                             .arg(MAX_READ_BYTES / (1024 * 1024))};
    bytes.truncate(total);
    return bytes;
}

std::optional<FileError> LocalFileSystem::writeAtomically(const QString& path, const QByteArray& bytes)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return FileError{QStringLiteral("\u201C%1\u201D is not a regular file; it is left as it is.")
                             .arg(target.fileName())};
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
