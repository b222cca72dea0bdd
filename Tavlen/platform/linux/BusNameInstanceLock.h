#pragma once

#include "platform/InstanceLock.h"

#include <QDBusConnection>

namespace tavlen::linux_platform {

// The resident instance owns the application's name on the session bus. The bus hands the name
// to one connection at a time and frees it when that connection goes, so a process that ends
// in any way, a crash included, leaves it free for the next one.
class BusNameInstanceLock final : public InstanceLock {
public:
    // The name is never given back: it stays with the connection for the life of the process.
    explicit BusNameInstanceLock(QDBusConnection bus = QDBusConnection::sessionBus());

    // Asks for the name without queueing for it, so a second process is refused at once rather
    // than waiting to inherit it. Without a usable session bus there is no other instance to
    // defer to in this session, and the process is let run (with a warning), so Tavlen does not
    // claim to be running already when it is not.
    bool acquire() override;

private:
    QDBusConnection m_bus;
    bool m_held = false;
};

} // namespace tavlen::linux_platform
