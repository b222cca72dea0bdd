#include "platform/linux/AtspiEventListener.h"

#include "platform/linux/AtspiBusConnection.h"
#include "platform/linux/AtspiConstants.h"
#include "platform/linux/AtspiElement.h"
#include "platform/linux/AtspiReplies.h"

#include <QDBusConnection>
#include <QStringList>

namespace tavlen::linux_platform {

namespace {

// The first argument of an event: its detail ("add", "accessible-name", "enabled", ...).
QString detailOf(const QDBusMessage& message)
{
    const QList<QVariant> arguments = message.arguments();
    return arguments.isEmpty() ? QString() : arguments.constFirst().toString();
}

} // namespace

AtspiEventListener::AtspiEventListener(QObject* parent) : QObject(parent), m_bus(QStringLiteral("events"))
{}

bool AtspiEventListener::start()
{
    if (m_bus.isConnected())
        return true;
    std::optional<QDBusConnection> connected = m_bus.connect(QDBusConnection::sessionBus(), 1000);
    if (!connected)
        return false;
    QDBusConnection bus = *connected;

    const QString objectEvents = QLatin1String(atspi::objectEventInterface);
    bus.connect(QString(), QString(), objectEvents, QStringLiteral("ChildrenChanged"), this,
                SLOT(onChildrenChanged(QDBusMessage)));
    bus.connect(QString(), QString(), objectEvents, QStringLiteral("PropertyChange"), this,
                SLOT(onPropertyChange(QDBusMessage)));
    bus.connect(QString(), QString(), objectEvents, QStringLiteral("StateChanged"), this,
                SLOT(onStateChanged(QDBusMessage)));
    bus.connect(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameOwnerChanged"), this,
                SLOT(onNameOwnerChanged(QString, QString, QString)));

    AtspiBusConnection::registerEvents(
        bus, {"object:children-changed", "object:property-change:accessible-name", "object:state-changed"});
    return true;
}

void AtspiEventListener::announce(const QDBusMessage& message)
{
    const AtspiObjectRef ref{message.service(), message.path()};
    if (!ref.isNull())
        Q_EMIT elementChanged(AXElement(AtspiElement::object(ref)));
}

void AtspiEventListener::onChildrenChanged(const QDBusMessage& message)
{
    announce(message);
}

void AtspiEventListener::onPropertyChange(const QDBusMessage& message)
{
    if (detailOf(message) == QLatin1String("accessible-name"))
        announce(message);
}

void AtspiEventListener::onStateChanged(const QDBusMessage& message)
{
    static const QStringList menuStates{QStringLiteral("enabled"), QStringLiteral("sensitive"),
                                        QStringLiteral("visible"), QStringLiteral("checked")};
    if (menuStates.contains(detailOf(message)))
        announce(message);
}

void AtspiEventListener::onNameOwnerChanged(const QString& name, const QString& oldOwner,
                                            const QString& newOwner)
{
    if (!oldOwner.isEmpty() && newOwner.isEmpty())
        Q_EMIT applicationGone(name);
}

} // namespace tavlen::linux_platform
