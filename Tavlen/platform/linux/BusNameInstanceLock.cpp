#include "platform/linux/BusNameInstanceLock.h"

#include "shared/TavlenIdentifiers.h"

#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QtDebug>
#include <utility>

namespace tavlen::linux_platform {

namespace {

QString busName()
{
    return QString::fromLatin1(ids::APP_IDENTIFIER);
}

} // namespace

BusNameInstanceLock::BusNameInstanceLock(QDBusConnection bus) : m_bus(std::move(bus))
{}

bool BusNameInstanceLock::acquire()
{
    if (m_held)
        return true;
    QDBusConnectionInterface* bus = m_bus.isConnected() ? m_bus.interface() : nullptr;
    if (!bus) {
        qWarning("tavlen: no session bus; another running instance cannot be detected");
        return true;
    }
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus->registerService(busName(), QDBusConnectionInterface::DontQueueService,
                             QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid()) {
        // Refused for a reason other than another owner (a bus policy, a broken connection):
        // no instance is known to be running, so this one goes on.
        qWarning("tavlen: the session bus refused the name %s: %s", ids::APP_IDENTIFIER,
                 qPrintable(reply.error().message()));
        return true;
    }
    m_held = reply.value() == QDBusConnectionInterface::ServiceRegistered;
    return m_held;
}

} // namespace tavlen::linux_platform
