#pragma once

#include "platform/FileLocations.h"

#include <QMap>

namespace tavlen::fake {

// Every location below one root folder; any of them can be taken away to test the paths where
// the platform has none.
class FakeFileLocations final : public FileLocations {
public:
    explicit FakeFileLocations(QString root) : m_root(std::move(root)) {}

    std::optional<QString> groupContainer(const QString& groupIdentifier) const override
    {
        if (!m_hasDataHome)
            return std::nullopt;
        return m_root + QStringLiteral("/data/") + groupIdentifier;
    }
    std::optional<QString> applicationSupport() const override
    {
        if (!m_hasDataHome)
            return std::nullopt;
        return m_root + QStringLiteral("/data");
    }
    std::optional<QString> configHome() const override { return m_root + QStringLiteral("/config"); }
    std::optional<QString> resourceFile(const QString& name) const override
    {
        const auto it = m_resources.constFind(name);
        if (it == m_resources.constEnd())
            return std::nullopt;
        return *it;
    }

    void setHasDataHome(bool has) { m_hasDataHome = has; }
    void setResourceFile(const QString& name, const QString& path) { m_resources.insert(name, path); }
    const QString& root() const { return m_root; }

private:
    QString m_root;
    bool m_hasDataHome = true;
    QMap<QString, QString> m_resources;
};

} // namespace tavlen::fake
