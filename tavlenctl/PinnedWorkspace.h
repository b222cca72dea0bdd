#pragma once

#include "platform/Workspace.h"

namespace tavlen::ctl {

// The desktop as it is, except that one chosen application counts as frontmost: lets the
// command line show the sheet of any running application through the same model the panels
// use, which always reads the frontmost one.
class PinnedWorkspace final : public Workspace {
public:
    PinnedWorkspace(Workspace& desktop, RunningApplication pinned)
        : m_desktop(desktop), m_pinned(std::move(pinned))
    {}

    std::optional<RunningApplication> frontmostApplication() const override { return m_pinned; }
    QList<RunningApplication> runningApplications(const QString& identifier) const override
    {
        return m_desktop.runningApplications(identifier);
    }
    QList<RunningApplication> allRunningApplications() const override
    {
        return m_desktop.allRunningApplications();
    }

private:
    Workspace& m_desktop;
    RunningApplication m_pinned;
};

} // namespace tavlen::ctl
