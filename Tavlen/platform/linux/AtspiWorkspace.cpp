#include "platform/linux/AtspiWorkspace.h"

#include "platform/linux/AtspiBusConnection.h"

#include "platform/linux/ApplicationIdResolver.h"
#include "platform/linux/AtspiConstants.h"
#include "platform/linux/AtspiObjectRef.h"
#include "platform/linux/AtspiReplies.h"
#include "platform/linux/ProcessFacts.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDeadlineTimer>
#include <QSet>
#include <algorithm>
#include <vector>

namespace tavlen::linux_platform {

namespace {

// Applications together get this long to answer one round of questions.
constexpr int applicationDeadlineMs = 1000;
// The bus daemon answers from its own tables at once; longer means it is in trouble.
constexpr int busDaemonTimeoutMs = 250;

QDBusMessage call(const QString& service, const QString& path, const char* interface, const char* method)
{
    // The registry starts on demand: a call to it may start it.
    return QDBusMessage::createMethodCall(service, path, QLatin1String(interface), QLatin1String(method));
}

QDBusMessage nameRequest(const QString& service)
{
    QDBusMessage message = call(service, QLatin1String(atspi::rootPath), atspi::propertiesInterface, "Get");
    message << QLatin1String(atspi::accessibleInterface) << QStringLiteral("Name");
    return message;
}

int remainingMs(const QDeadlineTimer& deadline)
{
    return static_cast<int>(std::clamp<qint64>(deadline.remainingTime(), 1, applicationDeadlineMs));
}

} // namespace

AtspiWorkspace::AtspiWorkspace(QObject* parent) : Workspace(parent), m_bus(QStringLiteral("workspace"))
{}

bool AtspiWorkspace::start(const QDBusConnection& session)
{
    if (m_bus.isConnected())
        return true;
    std::optional<QDBusConnection> connected = m_bus.connect(session, applicationDeadlineMs);
    if (!connected)
        return false;
    QDBusConnection bus = *connected;

    bus.connect(QString(), QString(), QLatin1String(atspi::objectEventInterface),
                QStringLiteral("StateChanged"), this, SLOT(onStateChanged(QDBusMessage)));
    bus.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Window"),
                QStringLiteral("Activate"), this, SLOT(onWindowActivated(QDBusMessage)));
    bus.connect(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameOwnerChanged"), this,
                SLOT(onNameOwnerChanged(QString, QString, QString)));
    AtspiBusConnection::registerEvents(
        bus, {"object:state-changed:active", "window:activate", "window:deactivate"});
    return true;
}

std::optional<RunningApplication> AtspiWorkspace::frontmostApplication() const
{
    if (!m_searched && m_bus.isConnected()) {
        m_searched = true;
        findActiveWindow();
    }
    return m_frontmost;
}

QList<RunningApplication> AtspiWorkspace::allRunningApplications() const
{
    if (!m_bus.isConnected())
        return {};
    const QList<QString> services = applicationServices();

    // Only the names heard already: the sheet asks for the running applications on the
    // user-interface thread, and an application that was never in front has not been asked.
    const QHash<QString, QString>& names = m_names;
    const QList<DesktopEntry> entries = m_directory.allApplications();
    QList<RunningApplication> found;
    QSet<qint64> seen;
    for (const QString& service : services) {
        const qint64 process = processOf(service);
        if (process <= 0 || seen.contains(process))
            continue;
        const WindowIdentity identity{{},
                                      names.value(service),
                                      names.value(service),
                                      ProcessFacts::executableOf(process),
                                      ProcessFacts::scriptOf(process),
                                      ProcessFacts::launchedDesktopEntryOf(process)};
        const std::optional<ResolvedApplication> resolved = ApplicationIdResolver::resolve(identity, entries);
        if (!resolved)
            continue;
        seen.insert(process);
        found << RunningApplication{resolved->identifier, resolved->localizedName, process,
                                    identity.executable};
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const RunningApplication& a, const RunningApplication& b) {
                         return ProcessFacts::startTimeOf(a.processIdentifier) <
                                ProcessFacts::startTimeOf(b.processIdentifier);
                     });
    return found;
}

void AtspiWorkspace::onStateChanged(const QDBusMessage& message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() >= 2 && arguments.at(0).toString() == QLatin1String("active") &&
        arguments.at(1).toInt() == 1)
        activated(message.service());
}

void AtspiWorkspace::onWindowActivated(const QDBusMessage& message)
{
    activated(message.service());
}

void AtspiWorkspace::onNameOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner)
{
    if (oldOwner.isEmpty() || !newOwner.isEmpty())
        return;
    m_processes.remove(name);
    m_names.remove(name);
    if (name != m_frontmostService)
        return;
    m_frontmostService.clear();
    m_frontmost.reset();
    // The next question looks for the window that is active now.
    m_searched = false;
    Q_EMIT frontmostApplicationChanged();
}

void AtspiWorkspace::activated(const QString& service)
{
    if (service.isEmpty())
        return;
    m_pendingService = service;
    // Another window of the same application is no change of application.
    if (service == m_frontmostService)
        return;
    if (m_names.contains(service)) {
        settleFrontmost(service);
        return;
    }
    QDBusConnection bus(m_bus.connectionName());
    auto* watcher =
        new QDBusPendingCallWatcher(bus.asyncCall(nameRequest(service), applicationDeadlineMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, service](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                // An application that does not answer is named by its process alone.
                const std::optional<QVariant> name = AtspiReplies::property(done->reply());
                m_names.insert(service, name ? name->toString() : QString());
                if (m_pendingService == service)
                    settleFrontmost(service);
            });
}

void AtspiWorkspace::settleFrontmost(const QString& service)
{
    const std::optional<RunningApplication> application =
        applicationOf(service, m_directory.allApplications());
    // Windows of the desktop shell and of processes that are gone leave the frontmost
    // application as it was, as the X11 workspace does for the desktop window.
    if (!application)
        return;
    const qint64 previous = m_frontmost ? m_frontmost->processIdentifier : 0;
    // What was heard is newer than anything a scan could find.
    m_searched = true;
    m_frontmostService = service;
    m_frontmost = application;
    if (application->processIdentifier != previous)
        Q_EMIT frontmostApplicationChanged();
}

void AtspiWorkspace::findActiveWindow() const
{
    QDBusConnection bus(m_bus.connectionName());
    const QDeadlineTimer deadline(applicationDeadlineMs);
    const QList<QString> services = applicationServices();
    const QString root = QLatin1String(atspi::rootPath);

    std::vector<std::pair<QString, QDBusPendingCall>> windowLists;
    std::vector<std::pair<QString, QDBusPendingCall>> names;
    for (const QString& service : services) {
        // Tavlen's own windows answer on this thread, which is waiting: asking them would only
        // run out the deadline.
        if (processOf(service) == QCoreApplication::applicationPid())
            continue;
        windowLists.emplace_back(service,
                                 bus.asyncCall(call(service, root, atspi::accessibleInterface, "GetChildren"),
                                               remainingMs(deadline)));
        names.emplace_back(service, bus.asyncCall(nameRequest(service), remainingMs(deadline)));
    }
    std::vector<std::pair<QString, QDBusPendingCall>> states;
    for (auto& [service, pending] : windowLists) {
        pending.waitForFinished();
        const std::optional<QList<AtspiObjectRef>> windows = AtspiReplies::objectRefs(pending.reply());
        for (const AtspiObjectRef& window : windows.value_or(QList<AtspiObjectRef>())) {
            if (deadline.hasExpired())
                break;
            states.emplace_back(service, bus.asyncCall(call(window.service, window.path,
                                                            atspi::accessibleInterface, "GetState"),
                                                       remainingMs(deadline)));
        }
    }
    for (auto& [service, pending] : names) {
        pending.waitForFinished();
        if (const std::optional<QVariant> name = AtspiReplies::property(pending.reply()))
            m_names.insert(service, name->toString());
    }
    QString active;
    for (auto& [service, pending] : states) {
        pending.waitForFinished();
        const std::optional<quint64> bits = AtspiReplies::states(pending.reply());
        if (active.isEmpty() && bits && atspi::hasState(*bits, atspi::State::Active))
            active = service;
    }
    if (active.isEmpty())
        return;
    if (std::optional<RunningApplication> application =
            applicationOf(active, m_directory.allApplications())) {
        m_frontmostService = active;
        m_frontmost = std::move(application);
    }
}

QList<QString> AtspiWorkspace::applicationServices() const
{
    // The registry daemon keeps the list; it is no application that could hang on a request.
    QDBusConnection bus(m_bus.connectionName());
    const std::optional<QList<AtspiObjectRef>> applications = AtspiReplies::objectRefs(
        bus.call(call(QLatin1String(atspi::registryService), QLatin1String(atspi::rootPath),
                      atspi::accessibleInterface, "GetChildren"),
                 QDBus::Block, applicationDeadlineMs));
    QList<QString> services;
    for (const AtspiObjectRef& application : applications.value_or(QList<AtspiObjectRef>())) {
        if (!application.service.isEmpty() && !services.contains(application.service))
            services << application.service;
    }
    return services;
}

qint64 AtspiWorkspace::processOf(const QString& service) const
{
    if (const auto known = m_processes.constFind(service); known != m_processes.constEnd())
        return *known;
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetConnectionUnixProcessID"));
    message << service;
    const std::optional<quint32> process = AtspiReplies::unsignedNumber(
        QDBusConnection(m_bus.connectionName()).call(message, QDBus::Block, busDaemonTimeoutMs));
    if (!process)
        return 0;
    m_processes.insert(service, *process);
    return *process;
}

std::optional<RunningApplication> AtspiWorkspace::applicationOf(const QString& service,
                                                                const QList<DesktopEntry>& entries) const
{
    const qint64 process = processOf(service);
    if (process <= 0)
        return std::nullopt;
    const QString name = m_names.value(service);
    const WindowIdentity identity{{},
                                  name,
                                  name,
                                  ProcessFacts::executableOf(process),
                                  ProcessFacts::scriptOf(process),
                                  ProcessFacts::launchedDesktopEntryOf(process)};
    const std::optional<ResolvedApplication> resolved = ApplicationIdResolver::resolve(identity, entries);
    if (!resolved)
        return std::nullopt;
    return RunningApplication{resolved->identifier, resolved->localizedName, process};
}

} // namespace tavlen::linux_platform
