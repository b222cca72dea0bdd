#include "harvest/InlineMenuReader.h"

#include "platform/Accessibility.h"

namespace tavlen {

MenuRead readMenusNow(Accessibility& accessibility, const MenuReadRequest& request,
                      const std::atomic<bool>* stop)
{
    accessibility.beginRead(QDeadlineTimer(request.deadlineMs));
    MenuWalk walk(accessibility, request.limits, stop);
    MenuRead read;
    read.items = walk.menuBar(request.processIdentifier);
    read.menuBar = walk.menuBarElement();
    const Accessibility::ReadTrouble trouble = accessibility.endRead();
    // An application that went away may also have left calls unanswered: gone says more.
    if (trouble.gone)
        read.outcome = MenuReadOutcome::Gone;
    else if (trouble.timedOut)
        read.outcome = MenuReadOutcome::TimedOut;
    else if (stop != nullptr && stop->load())
        return read;
    else if (!read.menuBar.isNull())
        read.absence = menuBarAbsence(walk.emptyMenus(), shortcutCount(read.items));
    else
        read.absence =
            menuAbsence(walk.menuBarMissing(),
                        walk.menuBarMissing() ? ApplicationAccess{}
                                              : accessibility.describeApplication(request.processIdentifier));
    return read;
}

MenuReader::Ticket InlineMenuReader::read(const MenuReadRequest& request,
                                          std::function<void(const MenuRead&)> done)
{
    const Ticket ticket = ++m_lastTicket;
    done(readMenusNow(m_accessibility, request));
    return ticket;
}

void InlineMenuReader::ping(qint64 processIdentifier, int timeoutMs, std::function<void(bool answered)> done)
{
    done(m_accessibility.answers(processIdentifier, timeoutMs));
}

} // namespace tavlen
