#pragma once

#include "TavlenXPCService.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>

namespace tavlen {

// Puts the service on the session bus: exports the one TavlenXPCService object and takes the
// service's bus name. Lives as long as the process.
class ServiceDelegate final : public QObject {
    Q_OBJECT

public:
    explicit ServiceDelegate(QDBusConnection bus, QObject* parent = nullptr);

    // False, with the reason in `error`, when there is no bus or the name belongs to another
    // process; the service cannot do anything then.
    bool listen(QString& error);

Q_SIGNALS:
    // The bus went away (the session ended): nothing can reach the service any more.
    void busLost();

private:
    QDBusConnection m_bus;
    TavlenXPCService m_service;
    QTimer m_busCheck;
};

} // namespace tavlen
