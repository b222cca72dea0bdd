#include "WaylandDesktop.h"

#include "support/WaitUntil.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <csignal>

namespace tavlen::test {

namespace {

constexpr char remoteDesktopService[] = "org.gnome.Mutter.RemoteDesktop";

} // namespace

WaylandDesktop::~WaylandDesktop()
{
    // What the bus started on request (the accessibility bus, Tavlen's service) belongs to
    // this desktop as much as what was started here. Told apart while the processes started
    // here still run: an ended one no longer knows its process id, which may be another's by then.
    QList<qint64> activated;
    if (!m_busName.isEmpty()) {
        QDBusConnectionInterface* daemon = bus().interface();
        const QStringList names = daemon ? daemon->registeredServiceNames().value() : QStringList();
        for (const QString& name : names) {
            const qint64 pid = daemon->servicePid(name).value();
            if (name.startsWith(QLatin1Char(':')) && pid > 0 && pid != QCoreApplication::applicationPid() &&
                !started(pid) && !activated.contains(pid))
                activated << pid;
        }
    }
    // Applications and the compositor first; the bus they talk over goes with the desktop.
    stopProcesses();
    if (!m_busName.isEmpty())
        QDBusConnection::disconnectFromBus(m_busName);
    for (const qint64 pid : activated)
        ::kill(static_cast<pid_t>(pid), SIGTERM);
}

QString WaylandDesktop::unavailableReason()
{
    for (const char* program : {"mutter", "geany", "dbus-daemon"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            return QStringLiteral("%1 is not installed").arg(QString::fromLatin1(program));
    }
    return {};
}

QProcess* WaylandDesktop::launch(const QString& program, const QStringList& arguments,
                                 const QProcessEnvironment& extra)
{
    QProcessEnvironment environment = m_environment;
    for (const QString& key : extra.keys())
        environment.insert(key, extra.value(key));
    return keep(program, arguments, environment,
                m_dir.filePath(QFileInfo(program).fileName() + QStringLiteral(".log")));
}

bool WaylandDesktop::startBus(QString& error)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The compositor's socket and the accessibility bus's go into this desktop's own folder,
    // and nothing here may reach the display the other tests use.
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder());
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
    useOwnHomes(environment);
    // Tavlen's service activates from the build, the accessibility bus from the system.
    environment.insert(QStringLiteral("XDG_DATA_DIRS"),
                       QStringLiteral(TAVLEN_BUILD_DATA_DIR ":/usr/local/share:/usr/share"));

    const QByteArray address = startPrivateBus(environment, error);
    if (address.isEmpty())
        return false;
    m_busName = QStringLiteral("tavlen-wayland-desktop");
    if (!QDBusConnection::connectToBus(QString::fromLocal8Bit(address), m_busName).isConnected()) {
        error = QStringLiteral("the desktop's bus cannot be reached");
        return false;
    }
    return true;
}

bool WaylandDesktop::startKeyboard(QString& error)
{
    QDBusConnection connection = bus();
    const QDBusMessage created = connection.call(
        QDBusMessage::createMethodCall(QLatin1String(remoteDesktopService),
                                       QStringLiteral("/org/gnome/Mutter/RemoteDesktop"),
                                       QLatin1String(remoteDesktopService), QStringLiteral("CreateSession")),
        QDBus::Block, 10000);
    if (created.type() != QDBusMessage::ReplyMessage || created.arguments().isEmpty()) {
        error = QStringLiteral("no remote-desktop session: ") + created.errorMessage();
        return false;
    }
    m_remoteSession = created.arguments().constFirst().value<QDBusObjectPath>().path();
    const QDBusMessage started = sessionCall("Start", {});
    if (started.type() != QDBusMessage::ReplyMessage) {
        error = QStringLiteral("the remote-desktop session did not start: ") + started.errorMessage();
        return false;
    }
    // A key typed makes the virtual keyboard the seat's keyboard. Shift changes nothing.
    constexpr quint32 shift = 0xffe1;
    return typeKeysym(shift);
}

QDBusMessage WaylandDesktop::sessionCall(const char* method, const QList<QVariant>& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QLatin1String(remoteDesktopService), m_remoteSession,
        QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session"), QLatin1String(method));
    message.setArguments(arguments);
    return bus().call(message, QDBus::Block, 10000);
}

bool WaylandDesktop::typeKeysym(quint32 keysym)
{
    return sessionCall("NotifyKeyboardKeysym", {keysym, true}).type() == QDBusMessage::ReplyMessage &&
           sessionCall("NotifyKeyboardKeysym", {keysym, false}).type() == QDBusMessage::ReplyMessage;
}

bool WaylandDesktop::start(QString& error)
{
    if (!hasFolder(error) || !startBus(error))
        return false;
    const bool withX11 = !QStandardPaths::findExecutable(QStringLiteral("Xwayland")).isEmpty();
    QStringList arguments{QStringLiteral("--headless"), QStringLiteral("--wayland"),
                          QStringLiteral("--virtual-monitor"), QStringLiteral("1440x900")};
    if (!withX11)
        arguments << QStringLiteral("--no-x11");
    if (!launch(QStringLiteral("mutter"), arguments)) {
        error = QStringLiteral("mutter did not start");
        return false;
    }
    const QString socket = m_dir.filePath(QStringLiteral("run/wayland-0"));
    const auto remoteDesktopReady = [&] {
        const QDBusMessage owner =
            bus().call(QDBusMessage::createMethodCall(
                           QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                           QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"))
                           << QLatin1String(remoteDesktopService),
                       QDBus::Block, 1000);
        return !owner.arguments().isEmpty() && owner.arguments().constFirst().toBool();
    };
    if (!waitUntil([&] { return QFile::exists(socket) && remoteDesktopReady(); }, 30000)) {
        error = QStringLiteral("mutter showed no Wayland socket or remote-desktop service (see %1)")
                    .arg(m_dir.filePath(QStringLiteral("mutter.log")));
        m_dir.setAutoRemove(false);
        return false;
    }
    // As a screen reader, or Tavlen's first start, would have done.
    QDBusMessage enable = QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    enable << QStringLiteral("org.a11y.Status") << QStringLiteral("IsEnabled")
           << QVariant::fromValue(QDBusVariant(true));
    bus().call(enable, QDBus::Block, 10000);
    if (withX11) {
        // The compositor names its X display in its log and leaves the key to it in the
        // runtime folder.
        static const QRegularExpression displayLine(QStringLiteral("Using public X11 display (:\\d+)"));
        QRegularExpressionMatch match;
        waitUntil([&] { return (match = displayLine.match(logOf(QStringLiteral("mutter")))).hasMatch(); },
                  10000);
        const QStringList keys =
            QDir(m_dir.filePath(QStringLiteral("run")))
                .entryList({QStringLiteral(".mutter-Xwaylandauth.*")}, QDir::Files | QDir::Hidden);
        if (match.hasMatch() && !keys.isEmpty()) {
            m_xwayland.insert(QStringLiteral("DISPLAY"), match.captured(1));
            m_xwayland.insert(QStringLiteral("XAUTHORITY"),
                              m_dir.filePath(QStringLiteral("run/") + keys.constFirst()));
        }
    }
    m_environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-0"));
    m_environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    m_environment.insert(QStringLiteral("GDK_BACKEND"), QStringLiteral("wayland"));
    return startKeyboard(error);
}

QString WaylandDesktop::logOf(const QString& program) const
{
    QFile log(m_dir.filePath(QFileInfo(program).fileName() + QStringLiteral(".log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

} // namespace tavlen::test
