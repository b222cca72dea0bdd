#include "platform/linux/XpcRelayClient.h"

#include "shared/XpcProtocol.h"

#include <QDBusError>
#include <QDBusMessage>
#include <cstdio>
#include <utility>

namespace tavlen::linux_platform {
namespace {

QString oneLine(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text.trimmed();
}

} // namespace

XpcRelayClient::XpcRelayClient(QDBusConnection bus, int timeoutMs)
    : m_bus(std::move(bus)), m_timeoutMs(timeoutMs)
{}

std::optional<QString> XpcRelayClient::send(RelayRequest request) const
{
    const QString service = QString::fromLatin1(xpc::SERVICE_NAME);
    if (!m_bus.isConnected()) {
        return QStringLiteral("cannot reach %1: no session bus (%2)")
            .arg(service, oneLine(m_bus.lastError().message()));
    }
    const QDBusMessage call =
        QDBusMessage::createMethodCall(service, QString::fromLatin1(xpc::OBJECT_PATH),
                                       QString::fromLatin1(xpc::INTERFACE), relayMethodName(request));
    // The reply's text carries no meaning; only whether there was one.
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, m_timeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return std::nullopt;
    return QStringLiteral("cannot reach %1: %2").arg(service, oneLine(reply.errorMessage()));
}

int XpcRelayClient::run(RelayRequest request) const
{
    if (const std::optional<QString> error = send(request)) {
        std::fprintf(stderr, "Tavlen: %s\n", qPrintable(*error));
        std::fflush(stderr);
        return 1;
    }
    return 0;
}

} // namespace tavlen::linux_platform
