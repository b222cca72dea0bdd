#include "platform/linux/ReportedKeySender.h"

namespace tavlen::linux_platform {

ReportedKeySender::ReportedKeySender(KeySender& sender, QString why, Report report)
    : m_sender(sender), m_why(std::move(why)), m_report(std::move(report))
{}

bool ReportedKeySender::post(quint16 macVirtualKey, qint64 eventFlags)
{
    if (m_sender.post(macVirtualKey, eventFlags))
        return true;
    if (!m_reported && m_report) {
        m_reported = true;
        m_report(QStringLiteral("Tavlen: a custom shortcut could not be typed. %1").arg(m_why));
    }
    return false;
}

} // namespace tavlen::linux_platform
