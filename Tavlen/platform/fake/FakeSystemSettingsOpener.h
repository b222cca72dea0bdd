#pragma once

#include "platform/SystemSettingsOpener.h"

#include <QList>

namespace tavlen::fake {

// A desktop with the settings panels a test declares; records every request to open one.
class FakeSystemSettingsOpener final : public SystemSettingsOpener {
public:
    bool canOpen(Panel panel) const override { return m_available.contains(panel); }
    bool open(Panel panel) override
    {
        m_requests.append(panel);
        return m_available.contains(panel) && m_succeeds;
    }

    void setAvailable(Panel panel, bool available = true)
    {
        m_available.removeAll(panel);
        if (available)
            m_available.append(panel);
    }
    // Whether an available panel starts when asked.
    void setSucceeds(bool succeeds) { m_succeeds = succeeds; }
    const QList<Panel>& requests() const { return m_requests; }

private:
    QList<Panel> m_available;
    QList<Panel> m_requests;
    bool m_succeeds = true;
};

} // namespace tavlen::fake
