#include "platform/KeyInput.h"
#include "platform/linux/PortalShortcutKeySource.h"
#include "support/WaitUntil.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QThread>
#include <gtest/gtest.h>

using namespace tavlen;
using linux_platform::PortalShortcutKeySource;
using tavlen::test::waitUntil;

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString sessionHandle = QStringLiteral("/org/freedesktop/portal/desktop/session/1_1/tavlen");

QVariantMap mapOf(const QVariant& value)
{
    return value.canConvert<QDBusArgument>() ? qdbus_cast<QVariantMap>(value.value<QDBusArgument>())
                                             : value.toMap();
}

// The desktop portal as far as GlobalShortcuts goes: it answers every request
// at once, through a Response signal on the request's path, and remembers the
// shortcuts it was asked to bind.
class FakePortal final : public QDBusVirtualObject {
public:
    explicit FakePortal(const QDBusConnection& bus) : m_bus(bus) {}

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        const QList<QVariant> arguments = message.arguments();
        if (message.member() == QLatin1String("Get")) {
            connection.send(message.createReply(QVariant::fromValue(QDBusVariant(1U))));
            return true;
        }
        if (message.member() == QLatin1String("BindShortcuts") && arguments.size() == 4) {
            const QDBusArgument shortcuts = arguments.at(1).value<QDBusArgument>();
            shortcuts.beginArray();
            while (!shortcuts.atEnd()) {
                QString id;
                QVariantMap properties;
                shortcuts.beginStructure();
                shortcuts >> id >> properties;
                shortcuts.endStructure();
                bound << id;
            }
            shortcuts.endArray();
            answer(message, connection, mapOf(arguments.at(3)), {});
            return true;
        }
        if (message.member() == QLatin1String("CreateSession") && arguments.size() == 1) {
            answer(message, connection, mapOf(arguments.at(0)),
                   {{QStringLiteral("session_handle"), sessionHandle}});
            return true;
        }
        return false;
    }

    void press(const QString& signal, const QString& session = sessionHandle)
    {
        QDBusMessage message = QDBusMessage::createSignal(portalPath, shortcutsInterface, signal);
        message << QVariant::fromValue(QDBusObjectPath(session)) << QStringLiteral("show-shortcuts")
                << quint64(0) << QVariantMap();
        m_bus.send(message);
    }

    QStringList bound;

private:
    static void answer(const QDBusMessage& message, const QDBusConnection& connection,
                       const QVariantMap& options, const QVariantMap& results)
    {
        QString sender = message.service().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                                 .arg(sender, options.value(QStringLiteral("handle_token")).toString());
        connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(path))));
        QDBusMessage response = QDBusMessage::createSignal(
            path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        response << 0U << results;
        connection.send(response);
    }

    QDBusConnection m_bus;
};

} // namespace

TEST(PortalShortcutIntegration, TheBoundShortcutGoesDownAndUpAsTheCommandKey)
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    ASSERT_FALSE(address.isEmpty());
    QDBusConnection portalBus = QDBusConnection::connectToBus(address, QStringLiteral("fake-portal"));
    FakePortal portal(portalBus);
    ASSERT_TRUE(portalBus.registerVirtualObject(portalPath, &portal));
    ASSERT_TRUE(portalBus.registerService(portalService));
    // The source's first question waits for its answer: the portal answers from a thread of its
    // own, as a separate process would.
    struct PortalThread : QThread {
        ~PortalThread() override
        {
            quit();
            wait();
        }
    } portalThread;
    portal.moveToThread(&portalThread);
    portalThread.start();
    {
        PortalShortcutKeySource source(
            QDBusConnection::connectToBus(address, QStringLiteral("portal-client")));
        QList<KeyEvent> events;
        QObject::connect(&source, &KeyEventSource::keyEvent,
                         [&events](const KeyEvent& event) { events << event; });
        ASSERT_TRUE(source.start());
        ASSERT_TRUE(waitUntil([&] { return source.isBound(); }));
        EXPECT_EQ(portal.bound, QStringList{QStringLiteral("show-shortcuts")});

        // Another client's session pressing a shortcut of the same name is no press
        // of Tavlen's.
        portal.press(QStringLiteral("Activated"),
                     QStringLiteral("/org/freedesktop/portal/desktop/session/2/x"));
        portal.press(QStringLiteral("Activated"));
        portal.press(QStringLiteral("Deactivated"));
        ASSERT_TRUE(waitUntil([&] { return events.size() >= 2; }));
        EXPECT_EQ(events, (QList<KeyEvent>{{KeyEvent::Type::FlagsChanged, EventFlag::Command, quint16(55)},
                                           {KeyEvent::Type::FlagsChanged, 0, quint16(55)}}));
    }
    portalThread.quit();
    portalThread.wait();
    portalBus.unregisterService(portalService);
    portalBus.unregisterObject(portalPath);
    QDBusConnection::disconnectFromBus(QStringLiteral("portal-client"));
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-portal"));
}
