#include "platform/fake/FakeFileSystem.h"

namespace tavlen::fake {

bool FakeFileSystem::exists(const QString& path) const
{
    return m_files.contains(path) || m_directories.contains(path);
}

std::optional<FileError> FakeFileSystem::makePath(const QString& directory)
{
    if (m_unmakeable.contains(directory))
        return FileError{QStringLiteral("The folder could not be created.")};
    QString path;
    for (const QString& part : directory.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        if (m_files.contains(path))
            return FileError{QStringLiteral("A file is in the way.")};
        m_directories.insert(path);
    }
    return std::nullopt;
}

std::optional<FileError> FakeFileSystem::createEmptyFile(const QString& path)
{
    if (exists(path) || m_unwritable.contains(path))
        return FileError{QStringLiteral("The file could not be created.")};
    m_files.insert(path, QByteArray());
    return std::nullopt;
}

FileResult<QByteArray> FakeFileSystem::readAll(const QString& path) const
{
    if (m_unreadable.contains(path))
        return FileError{QStringLiteral("Permission denied.")};
    const auto it = m_files.constFind(path);
    if (it == m_files.constEnd())
        return FileError{QStringLiteral("No such file or directory.")};
    return *it;
}

std::optional<FileError> FakeFileSystem::writeAtomically(const QString& path, const QByteArray& bytes)
{
    if (m_unwritable.contains(path))
        return FileError{QStringLiteral("No space left on device.")};
    m_files.insert(path, bytes);
    return std::nullopt;
}

std::optional<FileError> FakeFileSystem::removeFile(const QString& path)
{
    if (m_unremovable.contains(path))
        return FileError{QStringLiteral("Permission denied.")};
    m_files.remove(path);
    return std::nullopt;
}

} // namespace tavlen::fake
