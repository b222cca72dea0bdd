#include "DesktopSession.h"

#include "support/AccessibilityTree.h"
#include "support/WaitUntil.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QStandardPaths>

namespace tavlen::test {

DesktopSession::~DesktopSession()
{
    m_accessibility.reset();
}

QString DesktopSession::unavailableReason()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return QStringLiteral("no X display (DISPLAY is not set)");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return QStringLiteral("no D-Bus session bus (DBUS_SESSION_BUS_ADDRESS is not set)");
    return {};
}

QProcess* DesktopSession::launch(const QString& program, const QStringList& arguments,
                                 const QProcessEnvironment& environment)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return nullptr;
    return keep(program, arguments, environment);
}

bool DesktopSession::startBus(QString& error)
{
    // The accessibility bus launcher inherits the bus's environment and puts its socket in
    // XDG_RUNTIME_DIR: this run's own folder.
    qputenv("XDG_RUNTIME_DIR", runtimeFolder().toLocal8Bit());
    const QByteArray address = startPrivateBus(QProcessEnvironment::systemEnvironment(), error);
    if (address.isEmpty())
        return false;
    // Before anything in this process has used the session bus.
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    useOwnHomes(m_environment);
    return true;
}

bool DesktopSession::waitForMenuBar(qint64 processIdentifier, int timeoutMs)
{
    return waitUntil([&] { return !menuBarOf(*m_accessibility, processIdentifier).isNull(); }, timeoutMs);
}

QProcess* DesktopSession::launchHere(const QString& program, const QStringList& arguments)
{
    return launch(program, arguments, m_environment);
}

bool DesktopSession::start(QString& error)
{
    if (!hasFolder(error) || !startBus(error))
        return false;

    // Any window manager that keeps _NET_ACTIVE_WINDOW will do; one may run already.
    launch(QStringLiteral("openbox"), {}, m_environment);

    // The accessibility bus of this session first, and every application told its address
    // outright: toolkits otherwise look at the display's root window (Qt 5 and GTK alike), which
    // any other session on the same display (another test run, a tavlen under test) may point
    // at its own bus.
    m_accessibility = std::make_unique<linux_platform::AtspiAccessibility>();
    if (!m_accessibility->isProcessTrusted(true)) {
        error = QStringLiteral("the accessibility bus could not be switched on");
        return false;
    }
    const QDBusMessage address = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                       QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")),
        QDBus::Block, 10000);
    if (address.type() != QDBusMessage::ReplyMessage || address.arguments().isEmpty()) {
        error = QStringLiteral("the accessibility bus gave no address");
        return false;
    }
    m_environment.insert(QStringLiteral("AT_SPI_BUS_ADDRESS"), address.arguments().constFirst().toString());

    // Given the address, Qt 5 joins the accessibility bus at once.
    QProcessEnvironment qtEnvironment = m_environment;
    qtEnvironment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    qtEnvironment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess* qpdfview = launch(QStringLiteral("qpdfview"), {}, qtEnvironment);
    if (!qpdfview) {
        error = QStringLiteral("qpdfview did not start");
        return false;
    }
    m_qpdfviewPid = qpdfview->processId();

    QProcess* geany = startGeany(QStringLiteral("main"));
    if (!geany) {
        error = QStringLiteral("geany did not start");
        return false;
    }
    m_geanyPid = geany->processId();

    if (!waitForMenuBar(m_geanyPid)) {
        error = QStringLiteral("Geany's menu bar did not appear on the accessibility bus");
        return false;
    }
    if (!waitForMenuBar(m_qpdfviewPid)) {
        error = QStringLiteral("qpdfview's menu bar did not appear on the accessibility bus");
        return false;
    }
    return true;
}

} // namespace tavlen::test
