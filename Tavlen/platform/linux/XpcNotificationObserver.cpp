#include "platform/linux/XpcNotificationObserver.h"

#include "shared/XpcProtocol.h"

#include <QDBusArgument>
#include <QMetaType>
#include <utility>

namespace tavlen::linux_platform {

XpcNotificationObserver::XpcNotificationObserver(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus))
{}

XpcNotificationObserver::~XpcNotificationObserver()
{
    if (m_started) {
        m_bus.disconnect(QString(), QString(), QString::fromLatin1(xpc::NOTIFICATION_INTERFACE),
                         QString::fromLatin1(xpc::NOTIFICATION_NAME), this,
                         SLOT(onNotification(QDBusMessage)));
    }
}

bool XpcNotificationObserver::start()
{
    if (m_started)
        return true;
    // Empty service and path: any sender, any object. The signature is checked on arrival, so
    // that a malformed signal is dropped here rather than by a mismatch nobody sees.
    m_started =
        m_bus.connect(QString(), QString(), QString::fromLatin1(xpc::NOTIFICATION_INTERFACE),
                      QString::fromLatin1(xpc::NOTIFICATION_NAME), this, SLOT(onNotification(QDBusMessage)));
    return m_started;
}

std::optional<QString> XpcNotificationObserver::messageFrom(const QVariantMap& userInfo)
{
    const auto it = userInfo.constFind(QString::fromLatin1(xpc::MESSAGE_KEY));
    if (it == userInfo.cend() || it->metaType().id() != QMetaType::QString)
        return std::nullopt;
    return it->toString();
}

void XpcNotificationObserver::onNotification(const QDBusMessage& notification)
{
    const QList<QVariant> arguments = notification.arguments();
    if (arguments.size() != 1 || notification.signature() != QLatin1String(xpc::NOTIFICATION_SIGNATURE))
        return;
    const QVariantMap userInfo = qdbus_cast<QVariantMap>(arguments.first());
    if (const std::optional<QString> message = messageFrom(userInfo))
        Q_EMIT messageReceived(*message);
}

} // namespace tavlen::linux_platform
