#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

namespace tavlen {

// What the result of a file operation carries when it fails: a sentence for the user.
struct FileError {
    QString description;
};

template <typename T>
using FileResult = std::variant<T, FileError>;

// The few file operations the logic needs. Kept behind an interface so that failures that are
// hard to provoke on a real disk (an unreadable file while running as root, a full disk) can be
// tested.
class FileSystem {
public:
    // Far above any file Tavlen reads (an export of every shortcut of a busy user is a few
    // hundred kilobytes); what is larger is not one of them.
    static constexpr qint64 MAX_READ_BYTES = 16 * 1024 * 1024;

    virtual ~FileSystem() = default;

    virtual bool exists(const QString& path) const = 0;
    // Creates the folder and every missing folder above it.
    virtual std::optional<FileError> makePath(const QString& directory) = 0;
    // Creates an empty file; fails when the file cannot be created.
    virtual std::optional<FileError> createEmptyFile(const QString& path) = 0;
    // A regular file of at most MAX_READ_BYTES; anything else (a folder, a pipe, a device, a
    // larger file) is refused without waiting for it.
    virtual FileResult<QByteArray> readAll(const QString& path) const = 0;
    // Writes to a temporary file beside the target and renames it over the target, so that a
    // failed write leaves an earlier file untouched. A target that exists and is not a regular
    // file (a pipe, a device) is refused: it would be replaced by one.
    virtual std::optional<FileError> writeAtomically(const QString& path, const QByteArray& bytes) = 0;
    // Removes a file; a file that is not there counts as removed.
    virtual std::optional<FileError> removeFile(const QString& path) = 0;
};

} // namespace tavlen
