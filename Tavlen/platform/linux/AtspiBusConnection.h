#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <initializer_list>
#include <optional>

namespace tavlen::linux_platform {

// A connection of one's own to the accessibility bus, for asking applications and hearing what
// they say there. It is closed with this object.
class AtspiBusConnection {
public:
    // `purpose` goes into the connection's name, which is this object's alone.
    explicit AtspiBusConnection(const QString& purpose);
    ~AtspiBusConnection();
    AtspiBusConnection(const AtspiBusConnection&) = delete;
    AtspiBusConnection& operator=(const AtspiBusConnection&) = delete;

    // Connects, waiting at most `timeoutMs` for the session bus to give the accessibility bus's
    // address; none when there is no accessibility bus. Once connected, the same connection.
    std::optional<QDBusConnection> connect(const QDBusConnection& session, int timeoutMs);
    // The same with the address already asked for (addressRequest).
    std::optional<QDBusConnection> connectTo(const QString& address);
    // Closes the connection, so that the next connect makes a new one.
    void disconnect();
    // The question the session bus answers with the accessibility bus's address.
    static QDBusMessage addressRequest();
    bool isConnected() const { return m_connected; }
    const QString& connectionName() const { return m_connectionName; }

    // Applications send events only once someone has asked the registry for them. Asked without
    // waiting, in both forms a registry may take: since at-spi2 2.46 the event with the
    // properties wanted and the application (none: every one), before it the event alone; each
    // registry ignores the form it does not know.
    static void registerEvents(QDBusConnection& bus, std::initializer_list<const char*> events);

private:
    QString m_connectionName;
    bool m_connected = false;
};

} // namespace tavlen::linux_platform
