#pragma once

#include "harvest/MenuRead.h"

#include <QtGlobal>
#include <functional>

namespace tavlen {

// Runs reads of menu bars somewhere the caller does not wait for: the user-interface thread
// hands a read over and hears of it when it ends.
class MenuReader {
public:
    using Ticket = quint64;

    virtual ~MenuReader() = default;

    // Starts a read. `done` runs once on the caller's thread with what was read, unless the read
    // is cancelled first; a reader may run it before read returns. Tickets are never 0.
    virtual Ticket read(const MenuReadRequest& request, std::function<void(const MenuRead&)> done) = 0;

    // The read's answer is no longer wanted: `done` will not run, and the read stops as soon as
    // it can. Unknown and finished tickets are ignored.
    virtual void cancel(Ticket ticket) = 0;

    // Whether the application of that process answers a cheap request within the timeout;
    // `done` runs once on the caller's thread.
    virtual void ping(qint64 processIdentifier, int timeoutMs, std::function<void(bool answered)> done) = 0;
};

} // namespace tavlen
