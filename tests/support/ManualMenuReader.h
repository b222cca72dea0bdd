#pragma once

#include "harvest/InlineMenuReader.h"
#include "harvest/MenuReader.h"

#include <QList>
#include <QSet>
#include <functional>

namespace tavlen::test {

// A reader whose reads end only when the test says so: it stands for an application that takes
// its time, never answers, or answers after the caller gave up.
class ManualMenuReader final : public MenuReader {
public:
    struct PendingRead {
        Ticket ticket;
        MenuReadRequest request;
        std::function<void(const MenuRead&)> done;
    };
    struct PendingPing {
        qint64 processIdentifier;
        std::function<void(bool)> done;
    };

    Ticket read(const MenuReadRequest& request, std::function<void(const MenuRead&)> done) override
    {
        const Ticket ticket = ++m_lastTicket;
        m_reads.append({ticket, request, std::move(done)});
        return ticket;
    }
    void cancel(Ticket ticket) override { m_cancelled.insert(ticket); }
    void ping(qint64 processIdentifier, int, std::function<void(bool)> done) override
    {
        m_pings.append({processIdentifier, std::move(done)});
    }

    qsizetype readCount() const { return m_reads.size(); }
    qsizetype pingCount() const { return m_pings.size(); }
    bool isCancelled(Ticket ticket) const { return m_cancelled.contains(ticket); }
    Ticket lastTicket() const { return m_lastTicket; }

    // Ends the oldest read with what `accessibility` answers now (as the reading thread would),
    // or with the given read; a cancelled read ends all the same, as a reader's thread does.
    void finishNext(Accessibility& accessibility)
    {
        PendingRead next = m_reads.takeFirst();
        next.done(readMenusNow(accessibility, next.request));
    }
    void finishNext(const MenuRead& read)
    {
        PendingRead next = m_reads.takeFirst();
        next.done(read);
    }
    void answerPing(bool answered)
    {
        PendingPing next = m_pings.takeFirst();
        next.done(answered);
    }

private:
    QList<PendingRead> m_reads;
    QList<PendingPing> m_pings;
    QSet<Ticket> m_cancelled;
    Ticket m_lastTicket = 0;
};

} // namespace tavlen::test
