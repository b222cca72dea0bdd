#pragma once

#include "harvest/MenuReader.h"
#include "harvest/ShortcutSupplier.h"

#include <QHash>
#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

namespace tavlen {

class Accessibility;

// Reads menu bars on a thread of its own, with an accessibility adapter of its own (and so a
// bus connection of its own): a read that waits for a hung application holds that thread, never
// the caller's. Reads run one after another; answers come back through the caller's event loop.
class ThreadedMenuReader final : public QObject, public MenuReader {
    Q_OBJECT
public:
    // `makeAccessibility` runs on the reading thread, which then owns what it made. The suppliers
    // are called on the reading thread alone, and must outlive the reader.
    explicit ThreadedMenuReader(std::function<std::unique_ptr<Accessibility>()> makeAccessibility,
                                ShortcutSuppliers suppliers = {}, QObject* parent = nullptr);
    // Waits for the read under way, which the deadline bounds.
    ~ThreadedMenuReader() override;
    ThreadedMenuReader(const ThreadedMenuReader&) = delete;
    ThreadedMenuReader& operator=(const ThreadedMenuReader&) = delete;

    Ticket read(const MenuReadRequest& request, std::function<void(const MenuRead&)> done) override;
    void cancel(Ticket ticket) override;
    void ping(qint64 processIdentifier, int timeoutMs, std::function<void(bool answered)> done) override;

private:
    class Worker;
    using StopFlag = std::shared_ptr<std::atomic<bool>>;

    QThread m_thread;
    Worker* m_worker = nullptr; // lives on m_thread, deleted when it finishes
    ShortcutSuppliers m_suppliers;
    Ticket m_lastTicket = 0;
    QHash<Ticket, StopFlag> m_running;
};

} // namespace tavlen
