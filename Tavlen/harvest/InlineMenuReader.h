#pragma once

#include "harvest/MenuReader.h"

#include <atomic>

namespace tavlen {

class Accessibility;

// One read of a menu bar on the calling thread, no call waiting past the request's deadline.
MenuRead readMenusNow(Accessibility& accessibility, const MenuReadRequest& request,
                      const std::atomic<bool>* stop = nullptr);

// Reads on the caller's thread and answers before read returns: for callers that may wait, such
// as the command line, where the deadline still bounds the wait.
class InlineMenuReader final : public MenuReader {
public:
    explicit InlineMenuReader(Accessibility& accessibility) : m_accessibility(accessibility) {}

    Ticket read(const MenuReadRequest& request, std::function<void(const MenuRead&)> done) override;
    void cancel(Ticket) override {}
    void ping(qint64 processIdentifier, int timeoutMs, std::function<void(bool answered)> done) override;

private:
    Accessibility& m_accessibility;
    Ticket m_lastTicket = 0;
};

} // namespace tavlen
