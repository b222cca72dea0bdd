#pragma once

#include "platform/Workspace.h"

namespace tavlen::linux_platform {

// Two ways of knowing the desktop's applications, the first trusted where it knows anything:
// the frontmost application is the primary's, the fallback's only while the primary names
// none; the running applications are both lists, each process once. Both workspaces must
// outlive this one.
class FallbackWorkspace final : public Workspace {
    Q_OBJECT
public:
    FallbackWorkspace(Workspace& primary, Workspace& fallback, QObject* parent = nullptr);

    std::optional<RunningApplication> frontmostApplication() const override;
    QList<RunningApplication> runningApplications(const QString& identifier) const override;
    QList<RunningApplication> allRunningApplications() const override;

private:
    static QList<RunningApplication> merged(QList<RunningApplication> applications,
                                            const QList<RunningApplication>& others);

    Workspace& m_primary;
    Workspace& m_fallback;
};

} // namespace tavlen::linux_platform
