#pragma once

#include "platform/KeySender.h"

#include <QString>
#include <functional>

namespace tavlen::linux_platform {

// Passes keys on to the sender that types them and says, the first time one cannot be typed,
// that and why: a shortcut that silently does nothing would look like a broken application.
class ReportedKeySender final : public KeySender {
public:
    using Report = std::function<void(const QString&)>;

    // `why` ends the report: what keeps keys from being typed in this session.
    ReportedKeySender(KeySender& sender, QString why, Report report);

    bool post(quint16 macVirtualKey, qint64 eventFlags) override;

private:
    KeySender& m_sender;
    QString m_why;
    Report m_report;
    bool m_reported = false;
};

} // namespace tavlen::linux_platform
