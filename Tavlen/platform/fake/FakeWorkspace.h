#pragma once

#include "platform/Workspace.h"

namespace tavlen::fake {

// Running applications and the frontmost one, as a test sets them.
class FakeWorkspace final : public Workspace {
    Q_OBJECT
public:
    using Workspace::Workspace;

    std::optional<RunningApplication> frontmostApplication() const override { return m_frontmost; }

    // Applications are listed in the order they were added.
    void addRunningApplication(const RunningApplication& app) { m_running.append(app); }
    void setRunningApplications(QList<RunningApplication> apps) { m_running = std::move(apps); }
    QList<RunningApplication> allRunningApplications() const override { return m_running; }

    // A frontmost application that is not yet running is added to the running ones. Emits
    // frontmostApplicationChanged when the frontmost application is another one than before.
    void setFrontmostApplication(const std::optional<RunningApplication>& app)
    {
        if (app && !m_running.contains(*app))
            m_running.append(*app);
        if (app == m_frontmost)
            return;
        m_frontmost = app;
        Q_EMIT frontmostApplicationChanged();
    }

private:
    QList<RunningApplication> m_running;
    std::optional<RunningApplication> m_frontmost;
};

} // namespace tavlen::fake
