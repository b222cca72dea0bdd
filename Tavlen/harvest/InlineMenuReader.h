#pragma once

#include "harvest/MenuReader.h"
#include "harvest/ShortcutSupplier.h"

#include <atomic>

namespace tavlen {

class Accessibility;

// One read of a menu bar on the calling thread, no call waiting past the request's deadline,
// followed by what the other sources give for the application.
MenuRead readMenusNow(Accessibility& accessibility, const MenuReadRequest& request,
                      const std::atomic<bool>* stop = nullptr, const ShortcutSuppliers& suppliers = {});

// Reads on the caller's thread and answers before read returns: for callers that may wait, such
// as the command line, where the deadline still bounds the wait.
class InlineMenuReader final : public MenuReader {
public:
    explicit InlineMenuReader(Accessibility& accessibility, ShortcutSuppliers suppliers = {})
        : m_accessibility(accessibility), m_suppliers(std::move(suppliers))
    {}

    Ticket read(const MenuReadRequest& request, std::function<void(const MenuRead&)> done) override;
    void cancel(Ticket) override {}
    void ping(qint64 processIdentifier, int timeoutMs, std::function<void(bool answered)> done) override;

private:
    Accessibility& m_accessibility;
    ShortcutSuppliers m_suppliers;
    Ticket m_lastTicket = 0;
};

} // namespace tavlen
