#pragma once

#include "platform/FileSystem.h"

namespace tavlen::linux_platform {

class LocalFileSystem final : public FileSystem {
public:
    bool exists(const QString& path) const override;
    std::optional<FileError> makePath(const QString& directory) override;
    std::optional<FileError> createEmptyFile(const QString& path) override;
    FileResult<QByteArray> readAll(const QString& path) const override;
    std::optional<FileError> writeAtomically(const QString& path, const QByteArray& bytes) override;
    std::optional<FileError> removeFile(const QString& path) override;
};

} // namespace tavlen::linux_platform
