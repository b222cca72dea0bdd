#include "platform/linux/AtspiEventListener.h"

#include "platform/linux/AtspiConstants.h"
#include "platform/linux/AtspiElement.h"
#include "platform/linux/AtspiReplies.h"

#include <QDBusConnection>
#include <QStringList>

namespace tavlen::linux_platform {

namespace {

// The event kinds that can change what a menu shows.
const char* const registeredEvents[] = {"object:children-changed", "object:property-change:accessible-name",
                                        "object:state-changed"};

// The first argument of an event: its detail ("add", "accessible-name", "enabled", ...).
QString detailOf(const QDBusMessage& message)
{
    const QList<QVariant> arguments = message.arguments();
    return arguments.isEmpty() ? QString() : arguments.constFirst().toString();
}

} // namespace

AtspiEventListener::AtspiEventListener(QObject* parent)
    : QObject(parent)
    , m_connectionName(QStringLiteral("tavlen-atspi-events-%1").arg(reinterpret_cast<quintptr>(this)))
{}

AtspiEventListener::~AtspiEventListener()
{
    if (m_connected)
        QDBusConnection::disconnectFromBus(m_connectionName);
}

bool AtspiEventListener::start()
{
    if (m_connected)
        return true;
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected())
        return false;
    const QDBusMessage reply = session.call(
        QDBusMessage::createMethodCall(QLatin1String(atspi::busService), QLatin1String(atspi::busPath),
                                       QLatin1String(atspi::busInterface), QStringLiteral("GetAddress")),
        QDBus::Block, 1000);
    const std::optional<QString> address = AtspiReplies::text(reply);
    if (!address || address->isEmpty())
        return false;
    QDBusConnection bus = QDBusConnection::connectToBus(*address, m_connectionName);
    if (!bus.isConnected()) {
        QDBusConnection::disconnectFromBus(m_connectionName);
        return false;
    }
    m_connected = true;

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

    // Asked without waiting: the registry answers, but nothing here needs the answer. Registries
    // since at-spi2 2.46 take the event with the properties wanted and the application (none:
    // every one); older ones the event alone. Each ignores the form it does not know.
    for (const char* event : registeredEvents) {
        const auto registration = [&] {
            return QDBusMessage::createMethodCall(
                QLatin1String(atspi::registryService), QLatin1String(atspi::registryPath),
                QLatin1String(atspi::registryInterface), QStringLiteral("RegisterEvent"));
        };
        QDBusMessage current = registration();
        current << QString::fromLatin1(event) << QStringList() << QString();
        bus.send(current);
        QDBusMessage older = registration();
        older << QString::fromLatin1(event);
        bus.send(older);
    }
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
