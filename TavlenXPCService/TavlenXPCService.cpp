#include "TavlenXPCService.h"

#include <QDBusMessage>
#include <QVariantMap>
#include <utility>

namespace tavlen {

TavlenXPCService::TavlenXPCService(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus))
{}

QString TavlenXPCService::showHotkeys()
{
    return relay(xpc::SHOW_HOTKEYS_MESSAGE);
}

QString TavlenXPCService::togglePersistent()
{
    return relay(xpc::TOGGLE_PERSISTENT_MESSAGE);
}

QString TavlenXPCService::relay(const char* message)
{
    QDBusMessage notification = QDBusMessage::createSignal(QString::fromLatin1(xpc::OBJECT_PATH),
                                                           QString::fromLatin1(xpc::NOTIFICATION_INTERFACE),
                                                           QString::fromLatin1(xpc::NOTIFICATION_NAME));
    notification << QVariantMap{{QString::fromLatin1(xpc::MESSAGE_KEY), QString::fromLatin1(message)}};
    // Nobody listening is not an error: the caller is told "kk" all the same.
    m_bus.send(notification);
    return QString::fromLatin1(xpc::REPLY);
}

} // namespace tavlen
