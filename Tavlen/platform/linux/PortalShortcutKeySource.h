#pragma once

#include "platform/KeyEventSource.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>

namespace tavlen::linux_platform {

// The gesture through the desktop portal's GlobalShortcuts interface, where the
// session offers it: Tavlen asks for one shortcut, the desktop lets the user
// pick its key, and reports when it goes down (Activated) and up (Deactivated).
// Those arrive as the Command key going down and up, so that the activation
// gestures ("twice and hold") work on that shortcut as on Super. The portal
// answers through Response signals, so nothing here waits for the desktop but
// the check that the interface exists (a property of the portal service, with a
// deadline).
class PortalShortcutKeySource final : public KeyEventSource {
    Q_OBJECT
public:
    static constexpr char shortcutId[] = "show-shortcuts";

    explicit PortalShortcutKeySource(const QDBusConnection& session = QDBusConnection::sessionBus(),
                                     QObject* parent = nullptr);

    // Whether the portal offers GlobalShortcuts; if so, asks for the session and
    // the shortcut. The shortcut may still be refused later, which `failed` says.
    bool start();
    bool isBound() const { return m_bound; }

Q_SIGNALS:
    void bound();
    void failed(const QString& why);

private Q_SLOTS:
    void onSessionCreated(uint response, const QVariantMap& results);
    void onShortcutsBound(uint response, const QVariantMap& results);
    void onActivated(const QDBusMessage& message);
    void onDeactivated(const QDBusMessage& message);

private:
    // Sends a portal request and connects its Response to `slot`; false when it
    // was refused.
    bool request(const QString& method, const QList<QVariant>& arguments, const char* slot);
    bool fromOurSession(const QDBusMessage& message) const;

    QDBusConnection m_session;
    QString m_sessionHandle;
    int m_requests = 0;
    bool m_bound = false;
};

} // namespace tavlen::linux_platform
