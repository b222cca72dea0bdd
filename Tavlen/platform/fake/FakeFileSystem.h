#pragma once

#include "platform/FileSystem.h"

#include <QMap>
#include <QSet>

namespace tavlen::fake {

// An in-memory file tree. Folders are implied by makePath; failures can be injected per path.
class FakeFileSystem final : public FileSystem {
public:
    bool exists(const QString& path) const override;
    std::optional<FileError> makePath(const QString& directory) override;
    std::optional<FileError> createEmptyFile(const QString& path) override;
    FileResult<QByteArray> readAll(const QString& path) const override;
    std::optional<FileError> writeAtomically(const QString& path, const QByteArray& bytes) override;
    std::optional<FileError> removeFile(const QString& path) override;

    // Test set-up and inspection.
    void putFile(const QString& path, const QByteArray& bytes) { m_files.insert(path, bytes); }
    void failReading(const QString& path) { m_unreadable.insert(path); }
    void failWriting(const QString& path) { m_unwritable.insert(path); }
    void failMakingPath(const QString& directory) { m_unmakeable.insert(directory); }
    void failRemoving(const QString& path) { m_unremovable.insert(path); }
    QByteArray file(const QString& path) const { return m_files.value(path); }
    QStringList files() const { return m_files.keys(); }
    bool isDirectory(const QString& path) const { return m_directories.contains(path); }

private:
    QMap<QString, QByteArray> m_files;
    QSet<QString> m_directories;
    QSet<QString> m_unreadable;
    QSet<QString> m_unwritable;
    QSet<QString> m_unmakeable;
    QSet<QString> m_unremovable;
};

} // namespace tavlen::fake
