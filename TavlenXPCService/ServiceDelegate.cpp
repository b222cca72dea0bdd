#include "ServiceDelegate.h"

#include "shared/XpcProtocol.h"

#include <QDBusConnectionInterface>
#include <QDBusError>

namespace tavlen {
namespace {

// QtDBus announces no disconnection, and a service started by the bus would otherwise outlive
// its session; looking now and then costs nothing worth counting.
constexpr int BUS_CHECK_INTERVAL_MS = 5000;

} // namespace

ServiceDelegate::ServiceDelegate(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(bus), m_service(bus)
{
    m_busCheck.setInterval(BUS_CHECK_INTERVAL_MS);
    connect(&m_busCheck, &QTimer::timeout, this, [this] {
        if (!m_bus.isConnected())
            Q_EMIT busLost();
    });
}

bool ServiceDelegate::listen(QString& error)
{
    if (!m_bus.isConnected()) {
        error = QStringLiteral("no session bus: %1").arg(m_bus.lastError().message());
        return false;
    }
    // The object is in place before the name is taken, so that a call waiting for the name
    // (the one that activated the service) finds it.
    if (!m_bus.registerObject(QString::fromLatin1(xpc::OBJECT_PATH), &m_service,
                              QDBusConnection::ExportScriptableSlots)) {
        error = QStringLiteral("cannot export %1").arg(QString::fromLatin1(xpc::OBJECT_PATH));
        return false;
    }
    const QString name = QString::fromLatin1(xpc::SERVICE_NAME);
    if (!m_bus.registerService(name)) {
        error = QStringLiteral("cannot own the bus name %1: %2").arg(name, m_bus.lastError().message());
        m_bus.unregisterObject(QString::fromLatin1(xpc::OBJECT_PATH));
        return false;
    }
    m_busCheck.start();
    return true;
}

} // namespace tavlen
