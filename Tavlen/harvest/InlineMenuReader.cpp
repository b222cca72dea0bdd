#include "harvest/InlineMenuReader.h"

#include "platform/Accessibility.h"

namespace tavlen {

MenuRead readMenusNow(Accessibility& accessibility, const MenuReadRequest& request,
                      const std::atomic<bool>* stop, const ShortcutSuppliers& suppliers)
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

    // The other sources read what the application installed, not the application itself: they
    // are asked even when it did not answer, and a read asked to stop skips them.
    const SupplierRequest supplierRequest{request.processIdentifier, request.applicationIdentifier};
    const QList<MenuItem> menus = read.items;
    for (ShortcutSupplier* supplier : suppliers) {
        if (stop && stop->load())
            break;
        const QList<MenuItem> groups = supplier->groups(supplierRequest, menus);
        if (groups.isEmpty())
            continue;
        read.supplied.append({supplier->sourceName(), shortcutCount(groups)});
        read.items.append(groups);
    }

    // Why there is nothing to show, when there is nothing: asked only then, as it may cost the
    // bus a few more questions.
    if (read.outcome != MenuReadOutcome::Complete || (stop != nullptr && stop->load()) ||
        shortcutCount(read.items) > 0)
        return read;
    if (!read.menuBar.isNull())
        read.absence = menuBarAbsence(walk.emptyMenus(), 0);
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
    done(readMenusNow(m_accessibility, request, nullptr, m_suppliers));
    return ticket;
}

void InlineMenuReader::ping(qint64 processIdentifier, int timeoutMs, std::function<void(bool answered)> done)
{
    done(m_accessibility.answers(processIdentifier, timeoutMs));
}

} // namespace tavlen
