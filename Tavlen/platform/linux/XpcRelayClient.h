#pragma once

#include "shared/RelayRequest.h"

#include <QDBusConnection>
#include <QString>
#include <optional>

namespace tavlen::linux_platform {

// The relay side of `tavlen --show-shortcuts` / `--toggle-persistent`: sends one request to
// TavlenXPCService over the session bus. It waits (briefly) for the service's answer, not for
// its content, but because a process that exits right after a bare send can take the unsent
// request with it; the answer proves the request arrived.
class XpcRelayClient {
public:
    static constexpr int DEFAULT_TIMEOUT_MS = 5000;

    explicit XpcRelayClient(QDBusConnection bus, int timeoutMs = DEFAULT_TIMEOUT_MS);

    // Nothing when the service took the request; otherwise one line saying why it could not
    // be reached (no bus, no such service, no answer in time).
    std::optional<QString> send(RelayRequest request) const;

    // The relay process's whole job: sends the request and returns the exit status, 0 when the
    // service took it; otherwise writes one line to standard error and returns 1.
    int run(RelayRequest request) const;

private:
    QDBusConnection m_bus;
    int m_timeoutMs;
};

} // namespace tavlen::linux_platform
