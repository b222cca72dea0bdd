#include "IntegrationDesktop.h"

#include "shared/XpcProtocol.h"
#include "support/WaitUntil.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

using namespace tavlen;
using tavlen::test::waitUntil;

namespace {

// The resident tavlen on the test desktop, against what a session throws at it: termination
// signals in quick succession, and floods of requests from other processes.
class ResidentRobustness : public test::DesktopTest {
protected:
    void TearDown() override
    {
        if (tavlen.state() != QProcess::NotRunning) {
            tavlen.kill();
            tavlen.waitForFinished(5000);
        }
    }

    // Starts tavlen in a home of its own and waits until it says it runs; its intro fade (two
    // seconds) is then allowed to end, so that what follows meets the steady state.
    bool start()
    {
        QProcessEnvironment environment = session->environment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        tavlen.setProcessEnvironment(environment);
        tavlen.start(QStringLiteral(TAVLEN_APP_PATH), {QStringLiteral("--verbose")});
        if (!tavlen.waitForStarted(10000))
            return false;
        QByteArray out;
        if (!waitUntil(
                [&] {
                    out += tavlen.readAllStandardOutput();
                    return out.contains("is running");
                },
                30000))
            return false;
        QThread::msleep(2500);
        return true;
    }

    void signal(int number) { ::kill(static_cast<pid_t>(tavlen.processId()), number); }

    // Ends within the outro (two seconds) and some slack for a loaded machine, cleanly.
    void expectCleanEnd()
    {
        ASSERT_TRUE(tavlen.waitForFinished(10000)) << "tavlen did not end";
        EXPECT_EQ(tavlen.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(tavlen.exitCode(), 0) << tavlen.readAllStandardError().toStdString();
    }

    QTemporaryDir home;
    QProcess tavlen;
};

} // namespace

TEST_F(ResidentRobustness, TerminationSignalsInQuickSuccessionEndTheProcessOnceAndCleanly)
{
    for (const std::vector<int>& signals :
         {std::vector<int>{SIGTERM, SIGTERM}, std::vector<int>{SIGTERM, SIGHUP},
          std::vector<int>{SIGINT, SIGTERM, SIGHUP, SIGTERM}}) {
        SCOPED_TRACE(signals.size());
        ASSERT_TRUE(start());
        for (const int number : signals)
            signal(number);
        expectCleanEnd();
    }
}

TEST_F(ResidentRobustness, AFloodOfRequestsEndsInTheStateItAsksForAndTerminationStillWorks)
{
    ASSERT_TRUE(start());
    QDBusConnection bus = QDBusConnection::sessionBus();
    const auto request = [&bus](const char* message) {
        QDBusMessage notification = QDBusMessage::createSignal(
            QStringLiteral("/some/tool"), QString::fromLatin1(xpc::NOTIFICATION_INTERFACE),
            QString::fromLatin1(xpc::NOTIFICATION_NAME));
        notification << QVariantMap{{QString::fromLatin1(xpc::MESSAGE_KEY), QString::fromLatin1(message)}};
        bus.send(notification);
    };
    // An odd count of toggles: the persistent panel ends up shown.
    for (int i = 0; i < 501; ++i)
        request("togglePersistent");
    QByteArray log;
    ASSERT_TRUE(waitUntil(
        [&] {
            log += tavlen.readAllStandardError();
            return log.contains("persistent panel: ");
        },
        10000));
    // Once the burst is through, the last word about the panel is that it is shown.
    QThread::msleep(1000);
    log += tavlen.readAllStandardError();
    const QList<QByteArray> lines = log.split('\n');
    QByteArray last;
    int shown = 0;
    for (const QByteArray& line : lines) {
        if (!line.startsWith("persistent panel: "))
            continue;
        last = line;
        shown += line.endsWith("hidden") ? 0 : 1;
    }
    EXPECT_FALSE(last.endsWith("hidden")) << last.toStdString();
    EXPECT_LT(shown, 50) << "requests were worked through one by one";

    for (int i = 0; i < 500; ++i)
        request("togglePersistent");
    signal(SIGTERM);
    expectCleanEnd();
}
