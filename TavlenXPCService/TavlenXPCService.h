#pragma once

#include "shared/XpcProtocol.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

namespace tavlen {

// The object the service exports: each request becomes one XPCServiceNotification broadcast,
// and the caller only ever hears "kk". Holds no state between requests.
class TavlenXPCService final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.Fenwater.TavlenXPCServiceProtocol")

public:
    explicit TavlenXPCService(QDBusConnection bus, QObject* parent = nullptr);

public Q_SLOTS:
    // The broadcast is queued on the bus before the reply, so a caller that has its "kk" knows
    // the notification is already on its way.
    Q_SCRIPTABLE QString showHotkeys();
    Q_SCRIPTABLE QString togglePersistent();

private:
    QString relay(const char* message);

    QDBusConnection m_bus;
};

} // namespace tavlen
