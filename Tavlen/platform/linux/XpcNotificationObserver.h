#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <optional>

namespace tavlen::linux_platform {

// Hears the XPCServiceNotification broadcast on the session bus, from any sender (the relay
// service, or any tool that sends the same signal), and hands its "message" on as text.
class XpcNotificationObserver final : public QObject {
    Q_OBJECT

public:
    explicit XpcNotificationObserver(QDBusConnection bus, QObject* parent = nullptr);
    ~XpcNotificationObserver() override;

    // False when there is no bus to listen on.
    bool start();

    // The text under "message", or nothing when it is missing or not a string: such a
    // notification is ignored.
    static std::optional<QString> messageFrom(const QVariantMap& userInfo);

Q_SIGNALS:
    void messageReceived(const QString& message);

private Q_SLOTS:
    void onNotification(const QDBusMessage& notification);

private:
    QDBusConnection m_bus;
    bool m_started = false;
};

} // namespace tavlen::linux_platform
