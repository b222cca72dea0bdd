#pragma once

#include "platform/Workspace.h"
#include "platform/linux/AtspiBusConnection.h"
#include "platform/linux/DesktopEntryDirectory.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QHash>
#include <QString>

namespace tavlen::linux_platform {

// The running applications as the accessibility bus knows them, on any display server: the
// frontmost one is the application whose top-level window (frame) has the state ACTIVE, kept
// current from the activation events the applications send (object:state-changed:active,
// window:activate). An application's process comes from the bus daemon (the process behind its
// connection); its id from ApplicationIdResolver, with the entry the process was launched from,
// the application's accessible name and its program.
//
// Events are heard, not polled. The one scan at start waits one second at most for every
// application together, Tavlen's own process left out; the listing of running applications asks
// only the registry and the bus daemon. An activation asks the application for its name without
// waiting, and becomes frontmost when the answer (or the deadline) comes.
class AtspiWorkspace final : public Workspace {
    Q_OBJECT
public:
    explicit AtspiWorkspace(QObject* parent = nullptr);

    // Connects to the accessibility bus and asks the registry for the activation events. False
    // when there is no accessibility bus. The active window is looked for when the frontmost
    // application is first asked for and no activation has been heard: where this workspace
    // only stands in for another, nothing waits for it at start. `session` is the bus that
    // tells the accessibility bus's address.
    bool start(const QDBusConnection& session = QDBusConnection::sessionBus());

    std::optional<RunningApplication> frontmostApplication() const override;
    QList<RunningApplication> allRunningApplications() const override;

private Q_SLOTS:
    void onStateChanged(const QDBusMessage& message);
    void onWindowActivated(const QDBusMessage& message);
    void onNameOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);

private:
    // `service` is an application's connection on the accessibility bus.
    void activated(const QString& service);
    void settleFrontmost(const QString& service);
    void findActiveWindow() const;
    QList<QString> applicationServices() const;
    qint64 processOf(const QString& service) const;
    std::optional<RunningApplication> applicationOf(const QString& service,
                                                    const QList<DesktopEntry>& entries) const;

    AtspiBusConnection m_bus;
    // Set by the one scan, which may run when the frontmost application is first asked for.
    mutable QString m_frontmostService;
    mutable std::optional<RunningApplication> m_frontmost;
    mutable bool m_searched = false;
    // The newest activation whose name is being asked for; an older answer settles nothing.
    QString m_pendingService;
    mutable QHash<QString, qint64> m_processes;
    mutable QHash<QString, QString> m_names;
    DesktopEntryDirectory m_directory;
};

} // namespace tavlen::linux_platform
