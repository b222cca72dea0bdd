#include "harvest/ThreadedMenuReader.h"

#include "harvest/InlineMenuReader.h"
#include "platform/Accessibility.h"

namespace tavlen {

// Owns the reading thread's adapter; made and destroyed on that thread.
class ThreadedMenuReader::Worker final : public QObject {
public:
    explicit Worker(std::function<std::unique_ptr<Accessibility>()> make) : m_make(std::move(make)) {}

    Accessibility& accessibility()
    {
        if (!m_accessibility)
            m_accessibility = m_make();
        return *m_accessibility;
    }

private:
    std::function<std::unique_ptr<Accessibility>()> m_make;
    std::unique_ptr<Accessibility> m_accessibility;
};

ThreadedMenuReader::ThreadedMenuReader(std::function<std::unique_ptr<Accessibility>()> makeAccessibility,
                                       ShortcutSuppliers suppliers, QObject* parent)
    : QObject(parent), m_suppliers(std::move(suppliers))
{
    m_thread.setObjectName(QStringLiteral("menu reader"));
    m_worker = new Worker(std::move(makeAccessibility));
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start(QThread::LowPriority);
}

ThreadedMenuReader::~ThreadedMenuReader()
{
    for (const StopFlag& stop : std::as_const(m_running))
        stop->store(true);
    m_thread.quit();
    m_thread.wait();
}

MenuReader::Ticket ThreadedMenuReader::read(const MenuReadRequest& request,
                                            std::function<void(const MenuRead&)> done)
{
    const Ticket ticket = ++m_lastTicket;
    auto stop = std::make_shared<std::atomic<bool>>(false);
    m_running.insert(ticket, stop);
    // The reader outlives every task of its thread (its destructor waits for the thread), and
    // what a task posts back to it is dropped should it be destroyed before it gets there.
    Worker* worker = m_worker;
    QMetaObject::invokeMethod(
        m_worker,
        [this, worker, suppliers = m_suppliers, request, stop, ticket, done = std::move(done)]() mutable {
            if (stop->load())
                return;
            MenuRead result = readMenusNow(worker->accessibility(), request, stop.get(), suppliers);
            QMetaObject::invokeMethod(
                this,
                [this, stop, ticket, done = std::move(done), result = std::move(result)] {
                    if (stop->load())
                        return;
                    m_running.remove(ticket);
                    done(result);
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    return ticket;
}

void ThreadedMenuReader::cancel(Ticket ticket)
{
    if (const StopFlag stop = m_running.take(ticket))
        stop->store(true);
}

void ThreadedMenuReader::ping(qint64 processIdentifier, int timeoutMs,
                              std::function<void(bool answered)> done)
{
    Worker* worker = m_worker;
    QMetaObject::invokeMethod(
        m_worker,
        [this, worker, processIdentifier, timeoutMs, done = std::move(done)]() mutable {
            const bool answered = worker->accessibility().answers(processIdentifier, timeoutMs);
            QMetaObject::invokeMethod(
                this, [answered, done = std::move(done)] { done(answered); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

} // namespace tavlen
