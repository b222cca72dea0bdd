#pragma once

#include "platform/DataFolders.h"

#include <QMap>

namespace tavlen::fake {

// Folders named by the test, and the files in them with the times the test gives them; their
// contents live in a FakeFileSystem.
class FakeDataFolders final : public DataFolders {
public:
    explicit FakeDataFolders(QStringList folders) : m_folders(std::move(folders)) {}

    QStringList searchPath() const override { return m_folders; }
    std::optional<QDateTime> lastModified(const QString& path) const override
    {
        const auto it = m_stamps.constFind(path);
        if (it == m_stamps.constEnd())
            return std::nullopt;
        return *it;
    }

    void setLastModified(const QString& path, const QDateTime& when) { m_stamps.insert(path, when); }
    void remove(const QString& path) { m_stamps.remove(path); }

private:
    QStringList m_folders;
    QMap<QString, QDateTime> m_stamps;
};

} // namespace tavlen::fake
