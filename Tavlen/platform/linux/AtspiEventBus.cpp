#include "platform/linux/AtspiEventBus.h"

#include "platform/linux/AtspiConstants.h"
#include "platform/linux/AtspiReplies.h"

#include <QDBusMessage>
#include <QStringList>

namespace tavlen::linux_platform {

std::optional<QDBusConnection> AtspiEventBus::connect(const QDBusConnection& session,
                                                      const QString& connectionName, int timeoutMs)
{
    if (!session.isConnected())
        return std::nullopt;
    const std::optional<QString> address = AtspiReplies::text(session.call(
        QDBusMessage::createMethodCall(QLatin1String(atspi::busService), QLatin1String(atspi::busPath),
                                       QLatin1String(atspi::busInterface), QStringLiteral("GetAddress")),
        QDBus::Block, timeoutMs));
    if (!address || address->isEmpty())
        return std::nullopt;
    QDBusConnection bus = QDBusConnection::connectToBus(*address, connectionName);
    if (!bus.isConnected()) {
        QDBusConnection::disconnectFromBus(connectionName);
        return std::nullopt;
    }
    return bus;
}

void AtspiEventBus::registerEvents(QDBusConnection& bus, std::initializer_list<const char*> events)
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
