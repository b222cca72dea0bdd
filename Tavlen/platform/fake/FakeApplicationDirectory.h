#pragma once

#include "platform/ApplicationDirectory.h"

#include <QMap>

namespace tavlen::fake {

// Installed applications as a test declares them.
class FakeApplicationDirectory final : public ApplicationDirectory {
public:
    std::optional<ApplicationInfo> find(const QString& identifier) const override
    {
        const auto it = m_apps.constFind(identifier);
        if (it == m_apps.constEnd())
            return std::nullopt;
        return *it;
    }

    void install(ApplicationInfo info) { m_apps.insert(info.identifier, std::move(info)); }
    void uninstall(const QString& identifier) { m_apps.remove(identifier); }

private:
    QMap<QString, ApplicationInfo> m_apps;
};

} // namespace tavlen::fake
