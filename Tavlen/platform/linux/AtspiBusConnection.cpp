#include "platform/linux/AtspiBusConnection.h"

#include "platform/linux/AtspiConstants.h"
#include "platform/linux/AtspiReplies.h"

#include <QDBusMessage>
#include <QStringList>

namespace tavlen::linux_platform {

AtspiBusConnection::AtspiBusConnection(const QString& purpose)
    : m_connectionName(
          QStringLiteral("tavlen-atspi-%1-%2").arg(purpose).arg(reinterpret_cast<quintptr>(this)))
{}

AtspiBusConnection::~AtspiBusConnection()
{
    disconnect();
}

std::optional<QDBusConnection> AtspiBusConnection::connect(const QDBusConnection& session, int timeoutMs)
{
    if (m_connected)
        return QDBusConnection(m_connectionName);
    if (!session.isConnected())
        return std::nullopt;
    const std::optional<QString> address =
        AtspiReplies::text(session.call(addressRequest(), QDBus::Block, timeoutMs));
    if (!address || address->isEmpty())
        return std::nullopt;
    return connectTo(*address);
}

std::optional<QDBusConnection> AtspiBusConnection::connectTo(const QString& address)
{
    QDBusConnection bus = QDBusConnection::connectToBus(address, m_connectionName);
    if (!bus.isConnected()) {
        QDBusConnection::disconnectFromBus(m_connectionName);
        return std::nullopt;
    }
    m_connected = true;
    return bus;
}

void AtspiBusConnection::disconnect()
{
    if (m_connected)
        QDBusConnection::disconnectFromBus(m_connectionName);
    m_connected = false;
}

QDBusMessage AtspiBusConnection::addressRequest()
{
    return QDBusMessage::createMethodCall(QLatin1String(atspi::busService), QLatin1String(atspi::busPath),
                                          QLatin1String(atspi::busInterface), QStringLiteral("GetAddress"));
}

void AtspiBusConnection::registerEvents(QDBusConnection& bus, std::initializer_list<const char*> events)
{
    const auto registration = [] {
        return QDBusMessage::createMethodCall(
            QLatin1String(atspi::registryService), QLatin1String(atspi::registryPath),
            QLatin1String(atspi::registryInterface), QStringLiteral("RegisterEvent"));
    };
    for (const char* event : events) {
        QDBusMessage current = registration();
        current << QString::fromLatin1(event) << QStringList() << QString();
        bus.send(current);
        QDBusMessage older = registration();
        older << QString::fromLatin1(event);
        bus.send(older);
    }
}

} // namespace tavlen::linux_platform
