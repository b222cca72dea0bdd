#pragma once

#include <QDBusConnection>
#include <QString>
#include <initializer_list>
#include <optional>

namespace tavlen::linux_platform {

// A connection of one's own to the accessibility bus, for hearing what applications say there.
class AtspiEventBus {
public:
    AtspiEventBus() = delete;

    // Connects under `connectionName`, waiting at most `timeoutMs` for the session bus to give
    // the accessibility bus's address; none when there is no accessibility bus.
    static std::optional<QDBusConnection> connect(const QDBusConnection& session,
                                                  const QString& connectionName, int timeoutMs);

    // Applications send events only once someone has asked the registry for them. Asked without
    // waiting, in both forms a registry may take: since at-spi2 2.46 the event with the
    // properties wanted and the application (none: every one), before it the event alone; each
    // registry ignores the form it does not know.
    static void registerEvents(QDBusConnection& bus, std::initializer_list<const char*> events);
};

} // namespace tavlen::linux_platform
