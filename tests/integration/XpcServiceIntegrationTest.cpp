// The relay round trip on a real bus: a dbus-daemon of the test's own activates the built
// TavlenXPCService from the build tree's activation file, exactly as a desktop session would.

#include "platform/linux/XpcNotificationObserver.h"
#include "shared/XpcProtocol.h"
#include "support/WaitUntil.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/types.h>

using tavlen::linux_platform::XpcNotificationObserver;
using tavlen::test::waitUntil;

namespace {

// A private session bus whose activatable services are those under `dataDir`/dbus-1/services.
class PrivateBus {
public:
    explicit PrivateBus(const QString& dataDir)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_DIRS"), dataDir);
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.path());
        m_daemon.setProcessEnvironment(environment);
        m_daemon.start(
            QStringLiteral("dbus-daemon"),
            {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForStarted(5000))
            return;
        while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(5000)) {
        }
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        for (const QString& name : m_connections)
            QDBusConnection::disconnectFromBus(name);
        // The service was started by the daemon, not by us: end it by the pid the bus knows.
        if (m_servicePid > 0)
            ::kill(static_cast<pid_t>(m_servicePid), SIGTERM);
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    QString address() const { return m_address; }

    QDBusConnection connect()
    {
        const QString name = QStringLiteral("tavlen-test-%1").arg(m_connections.size());
        m_connections << name;
        return QDBusConnection::connectToBus(m_address, name);
    }

    // Remembers the process that owns the service's name, so that it is ended with the bus.
    void noteServiceProcess(const QDBusConnection& bus)
    {
        const QDBusReply<uint> pid =
            bus.interface()->servicePid(QString::fromLatin1(tavlen::xpc::SERVICE_NAME));
        if (pid.isValid())
            m_servicePid = pid.value();
    }

private:
    QTemporaryDir m_home;
    QProcess m_daemon;
    QString m_address;
    QStringList m_connections;
    uint m_servicePid = 0;
};

struct Outcome {
    int exitCode = -1;
    QString err;
};

Outcome runRelay(const QString& busAddress, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    environment.remove(QStringLiteral("DBUS_STARTER_ADDRESS"));
    environment.remove(QStringLiteral("DBUS_STARTER_BUS_TYPE"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TAVLEN_APP_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return Outcome{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                   QString::fromUtf8(process.readAllStandardError())};
}

QString callService(const QDBusConnection& bus, const char* method)
{
    const QDBusMessage reply =
        bus.call(QDBusMessage::createMethodCall(QString::fromLatin1(tavlen::xpc::SERVICE_NAME),
                                                QString::fromLatin1(tavlen::xpc::OBJECT_PATH),
                                                QString::fromLatin1(tavlen::xpc::INTERFACE),
                                                QString::fromLatin1(method)),
                 QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return QStringLiteral("error: ") + reply.errorMessage();
    return reply.arguments().first().toString();
}

void sendNotification(const QDBusConnection& bus, const QString& path, const QVariant& argument)
{
    QDBusMessage signal =
        QDBusMessage::createSignal(path, QString::fromLatin1(tavlen::xpc::NOTIFICATION_INTERFACE),
                                   QString::fromLatin1(tavlen::xpc::NOTIFICATION_NAME));
    signal << argument;
    ASSERT_TRUE(bus.send(signal));
}

class XpcServiceIntegration : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
        caller = bus.connect();
        listener = bus.connect();
        ASSERT_TRUE(caller.isConnected());
        ASSERT_TRUE(listener.isConnected());
        observer = std::make_unique<XpcNotificationObserver>(listener);
        QObject::connect(observer.get(), &XpcNotificationObserver::messageReceived,
                         [this](const QString& message) { received << message; });
        ASSERT_TRUE(observer->start());
    }
    void TearDown() override { observer.reset(); }

    PrivateBus bus{QStringLiteral(TAVLEN_BUILD_DATA_DIR)};
    QDBusConnection caller{QString()};
    QDBusConnection listener{QString()};
    std::unique_ptr<XpcNotificationObserver> observer;
    QStringList received;
};

} // namespace

TEST_F(XpcServiceIntegration, ActivatedServiceAnswersKkAndBroadcastsEachRequestInOrder)
{
    EXPECT_EQ(callService(caller, "showHotkeys"), QStringLiteral("kk"));
    bus.noteServiceProcess(caller);
    EXPECT_EQ(callService(caller, "togglePersistent"), QStringLiteral("kk"));
    EXPECT_EQ(callService(caller, "showHotkeys"), QStringLiteral("kk"));
    EXPECT_TRUE(waitUntil([&] { return received.size() >= 3; })) << received.join(u',').toStdString();
    EXPECT_EQ(received, (QStringList{QStringLiteral("showHotkeys"), QStringLiteral("togglePersistent"),
                                     QStringLiteral("showHotkeys")}));

    // Nothing but the two requests is offered.
    EXPECT_TRUE(callService(caller, "quit").startsWith(QStringLiteral("error: ")));

    // The name is taken: a second copy of the service says so and ends.
    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(TAVLEN_XPC_SERVICE_PATH), QStringList());
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_NE(second.exitCode(), 0);
    const QString err = QString::fromUtf8(second.readAllStandardError());
    EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QString::fromLatin1(tavlen::xpc::SERVICE_NAME))) << err.toStdString();
}

TEST_F(XpcServiceIntegration, ObserverHearsAnySenderAndDropsMalformedNotifications)
{
    const QString path = QStringLiteral("/some/other/tool");
    sendNotification(caller, path, QVariantMap{{QStringLiteral("message"), 7}});
    sendNotification(caller, path, QVariantMap{{QStringLiteral("other"), QStringLiteral("showHotkeys")}});
    sendNotification(caller, path, QVariant(QStringLiteral("togglePersistent")));
    sendNotification(caller, path,
                     QVariantMap{{QStringLiteral("message"), QStringLiteral("togglePersistent")}});
    // One sender's signals arrive in the order sent: once the well-formed one is here, the
    // malformed ones before it have been seen and dropped.
    ASSERT_TRUE(waitUntil([&] { return !received.isEmpty(); }));
    EXPECT_EQ(received, QStringList{QStringLiteral("togglePersistent")});
}

// The relay exits as soon as it is done; its request must still reach the service.
TEST_F(XpcServiceIntegration, RelayExitsCleanlyAndItsRequestArrives)
{
    Outcome show = runRelay(bus.address(), {QStringLiteral("--show-shortcuts")});
    bus.noteServiceProcess(caller);
    EXPECT_EQ(show.exitCode, 0);
    EXPECT_EQ(show.err, QString());
    Outcome toggle = runRelay(bus.address(), {QStringLiteral("--toggle-persistent")});
    EXPECT_EQ(toggle.exitCode, 0);
    EXPECT_EQ(toggle.err, QString());
    Outcome both =
        runRelay(bus.address(), {QStringLiteral("--toggle-persistent"), QStringLiteral("--show-shortcuts")});
    EXPECT_EQ(both.exitCode, 0);

    EXPECT_TRUE(waitUntil([&] { return received.size() >= 3; })) << received.join(u',').toStdString();
    EXPECT_EQ(received, (QStringList{QStringLiteral("showHotkeys"), QStringLiteral("togglePersistent"),
                                     QStringLiteral("showHotkeys")}));
}

TEST(XpcRelayIntegration, RelayFailsWithOneLineWhenNoServiceCanBeReached)
{
    QTemporaryDir nowhere;
    ASSERT_TRUE(nowhere.isValid());

    // No bus at all.
    const Outcome noBus = runRelay(QStringLiteral("unix:path=%1/no-bus-here").arg(nowhere.path()),
                                   {QStringLiteral("--show-shortcuts")});
    EXPECT_NE(noBus.exitCode, 0);
    EXPECT_EQ(noBus.err.count(u'\n'), 1) << noBus.err.toStdString();
    EXPECT_TRUE(noBus.err.endsWith(u'\n'));

    // A bus on which the service is not installed.
    PrivateBus bare(nowhere.path());
    ASSERT_FALSE(bare.address().isEmpty());
    const Outcome noService = runRelay(bare.address(), {QStringLiteral("--toggle-persistent")});
    EXPECT_NE(noService.exitCode, 0);
    EXPECT_EQ(noService.err.count(u'\n'), 1) << noService.err.toStdString();
    EXPECT_TRUE(noService.err.contains(QString::fromLatin1(tavlen::xpc::SERVICE_NAME)))
        << noService.err.toStdString();
}
