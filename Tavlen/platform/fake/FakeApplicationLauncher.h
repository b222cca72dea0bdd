#pragma once

#include "platform/ApplicationLauncher.h"

#include <QStringList>

namespace tavlen::fake {

// Records launch requests; every one succeeds unless a test says otherwise.
class FakeApplicationLauncher final : public ApplicationLauncher {
public:
    bool launch(const QString& applicationId) override
    {
        m_launches.append(applicationId);
        return m_succeeds;
    }

    void setSucceeds(bool succeeds) { m_succeeds = succeeds; }
    // Every request, failed ones too.
    const QStringList& launches() const { return m_launches; }

private:
    QStringList m_launches;
    bool m_succeeds = true;
};

} // namespace tavlen::fake
