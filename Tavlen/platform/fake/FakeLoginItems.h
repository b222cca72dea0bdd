#pragma once

#include "platform/LoginItems.h"

#include <QList>

namespace tavlen::fake {

// Keeps the login item as a flag and records every change asked of it.
class FakeLoginItems final : public LoginItems {
public:
    explicit FakeLoginItems(bool enabled = false) : m_enabled(enabled) {}

    bool isEnabled() const override { return m_enabled; }
    // With `succeeds` off, requests are recorded but change nothing and answer false.
    bool setEnabled(bool enabled) override
    {
        m_requests.append(enabled);
        if (!m_succeeds)
            return false;
        m_enabled = enabled;
        return true;
    }

    void setSucceeds(bool succeeds) { m_succeeds = succeeds; }
    const QList<bool>& requests() const { return m_requests; }

private:
    bool m_enabled = false;
    bool m_succeeds = true;
    QList<bool> m_requests;
};

} // namespace tavlen::fake
