#include "platform/linux/FallbackWorkspace.h"

#include <algorithm>

namespace tavlen::linux_platform {

FallbackWorkspace::FallbackWorkspace(Workspace& primary, Workspace& fallback, QObject* parent)
    : Workspace(parent), m_primary(primary), m_fallback(fallback)
{
    // The primary's changes pass as they are, so that where it knows the frontmost
    // application nothing differs from using it alone.
    connect(&m_primary, &Workspace::frontmostApplicationChanged, this,
            &Workspace::frontmostApplicationChanged);
    connect(&m_fallback, &Workspace::frontmostApplicationChanged, this, [this] {
        if (!m_primary.frontmostApplication())
            Q_EMIT frontmostApplicationChanged();
    });
}

std::optional<RunningApplication> FallbackWorkspace::frontmostApplication() const
{
    if (std::optional<RunningApplication> application = m_primary.frontmostApplication())
        return application;
    return m_fallback.frontmostApplication();
}

QList<RunningApplication> FallbackWorkspace::runningApplications(const QString& identifier) const
{
    return merged(m_primary.runningApplications(identifier), m_fallback.runningApplications(identifier));
}

QList<RunningApplication> FallbackWorkspace::allRunningApplications() const
{
    return merged(m_primary.allRunningApplications(), m_fallback.allRunningApplications());
}

QList<RunningApplication> FallbackWorkspace::merged(QList<RunningApplication> applications,
                                                    const QList<RunningApplication>& others)
{
    for (const RunningApplication& other : others) {
        const bool known =
            std::any_of(applications.cbegin(), applications.cend(), [&](const RunningApplication& a) {
                return a.processIdentifier == other.processIdentifier;
            });
        if (!known)
            applications << other;
    }
    return applications;
}

} // namespace tavlen::linux_platform
