#pragma once

#include "platform/WindowActivator.h"
#include "platform/fake/FakeWorkspace.h"

#include <QList>

namespace tavlen::fake {

// Records activation requests. When it succeeds and was given a workspace, the activated
// application becomes that workspace's frontmost one, as a window manager would make it.
class FakeWindowActivator final : public WindowActivator {
public:
    explicit FakeWindowActivator(FakeWorkspace* workspace = nullptr) : m_workspace(workspace) {}

    bool activate(const RunningApplication& application) override
    {
        m_requests.append(application);
        if (m_succeeds && m_workspace)
            m_workspace->setFrontmostApplication(application);
        return m_succeeds;
    }

    void setSucceeds(bool succeeds) { m_succeeds = succeeds; }
    // Every request, refused ones too.
    const QList<RunningApplication>& requests() const { return m_requests; }

private:
    FakeWorkspace* m_workspace = nullptr;
    QList<RunningApplication> m_requests;
    bool m_succeeds = true;
};

} // namespace tavlen::fake
