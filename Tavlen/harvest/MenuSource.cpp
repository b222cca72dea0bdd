#include "harvest/MenuSource.h"

#include "platform/Clock.h"

#include <QDateTime>
#include <algorithm>

namespace tavlen {

namespace {

void collectElements(const QList<MenuItem>& items, QSet<AXElement>& elements)
{
    for (const MenuItem& item : items) {
        if (!item.axuieElement.isNull())
            elements.insert(item.axuieElement);
        collectElements(item.submenu, elements);
    }
}

bool sameItem(const MenuItem& a, const MenuItem& b)
{
    return a.title == b.title && a.keys == b.keys && a.isActive == b.isActive && a.level == b.level &&
           a.parentTitles == b.parentTitles && a.axuieElement == b.axuieElement &&
           a.hotkeys.has_value() == b.hotkeys.has_value() &&
           (!a.hotkeys || (a.hotkeys->modifierKeys == b.hotkeys->modifierKeys &&
                           a.hotkeys->virtualKey == b.hotkeys->virtualKey &&
                           a.hotkeys->actionKey == b.hotkeys->actionKey)) &&
           sameMenus(a.submenu, b.submenu);
}

} // namespace

bool sameMenus(const QList<MenuItem>& a, const QList<MenuItem>& b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(), sameItem);
}

MenuStatus statusAfter(MenuReadOutcome outcome)
{
    switch (outcome) {
    case MenuReadOutcome::TimedOut:
        return MenuStatus::NotAnswering;
    case MenuReadOutcome::Gone:
        return MenuStatus::Quit;
    case MenuReadOutcome::Complete:
        break;
    }
    return MenuStatus::Read;
}

QString troubleText(MenuStatus status, const QString& applicationName, qint64 processIdentifier)
{
    switch (status) {
    case MenuStatus::NotAnswering:
        return QStringLiteral("%1 (pid %2) did not answer within %3 s")
            .arg(applicationName)
            .arg(processIdentifier)
            .arg(MenuSource::READ_DEADLINE_MS / 1000);
    case MenuStatus::Quit:
        return QStringLiteral("%1 (pid %2) quit while its menus were read")
            .arg(applicationName)
            .arg(processIdentifier);
    case MenuStatus::Read:
    case MenuStatus::Cached:
        break;
    }
    return {};
}

MenuSource::MenuSource(MenuReader& reader, Timers& timers, const Clock& clock, QObject* parent)
    : QObject(parent), m_reader(reader), m_timers(timers), m_clock(clock)
{
    qRegisterMetaType<tavlen::MenuSnapshot>();
}

MenuSource::~MenuSource()
{
    m_timers.cancel(m_readAheadTimer);
    for (Entry& entry : m_entries) {
        m_timers.cancel(entry.giveUpTimer);
        m_timers.cancel(entry.rereadTimer);
        if (entry.reading)
            m_reader.cancel(entry.ticket);
    }
}

bool MenuSource::isKept(qint64 processIdentifier) const
{
    const auto it = m_entries.constFind(processIdentifier);
    return it != m_entries.constEnd() && it->items.has_value();
}

MenuSource::Entry& MenuSource::entryFor(const RunningApplication& app, const MenuWalkLimits& limits)
{
    const qint64 now = m_clock.now().toMSecsSinceEpoch();
    auto it = m_entries.find(app.processIdentifier);
    // A process id handed to another application, or settings that change what a read keeps:
    // what is kept no longer answers the question; only who waits for it carries over.
    QList<Waiter> waiting;
    if (it != m_entries.end() && (it->app.identifier != app.identifier || it->limits != limits)) {
        waiting = std::move(it->waiters);
        drop(app.processIdentifier);
        it = m_entries.end();
    }
    if (it == m_entries.end()) {
        it = m_entries.insert(app.processIdentifier, Entry{});
        it->app = app;
        it->limits = limits;
        it->waiters = std::move(waiting);
        it->usedAtMs = now;
        trim();
        it = m_entries.find(app.processIdentifier);
    }
    it->app.localizedName = app.localizedName;
    it->usedAtMs = now;
    return *it;
}

bool MenuSource::isFresh(const Entry& entry) const
{
    return entry.items && !entry.stale && entry.readAtMs >= 0 &&
           m_clock.now().toMSecsSinceEpoch() - entry.readAtMs <= FRESH_FOR_MS;
}

MenuSnapshot MenuSource::snapshotOf(const Entry& entry, MenuStatus status) const
{
    return MenuSnapshot{entry.items.value_or(QList<MenuItem>()), status, entry.absence};
}

void MenuSource::menus(const RunningApplication& app, const MenuWalkLimits& limits, QObject* context,
                       Callback done)
{
    Entry& entry = entryFor(app, limits);
    const qint64 pid = app.processIdentifier;
    if (entry.notAnswering) {
        entry.handedOut = true;
        done(snapshotOf(entry, MenuStatus::NotAnswering));
        startPing(pid);
        return;
    }
    if (entry.items) {
        const bool fresh = isFresh(entry);
        entry.handedOut = true;
        done(snapshotOf(entry, fresh ? MenuStatus::Read : MenuStatus::Cached));
        // Key bindings change without a word to anyone: what was shown is checked behind it.
        if (!fresh)
            startRead(pid);
        return;
    }
    entry.waiters.append(Waiter{QPointer<QObject>(context), std::move(done)});
    startRead(pid);
}

void MenuSource::readAhead(const RunningApplication& app, const MenuWalkLimits& limits)
{
    m_timers.cancel(m_readAheadTimer);
    m_readAheadTimer =
        m_timers.singleShot(std::chrono::milliseconds(READ_AHEAD_DELAY_MS), [this, app, limits] {
            m_readAheadTimer = 0;
            readNow(app, limits);
        });
}

void MenuSource::readNow(const RunningApplication& app, const MenuWalkLimits& limits)
{
    Entry& entry = entryFor(app, limits);
    if (entry.notAnswering) {
        startPing(app.processIdentifier);
        return;
    }
    if (!isFresh(entry))
        startRead(app.processIdentifier);
}

void MenuSource::startRead(qint64 processIdentifier)
{
    auto it = m_entries.find(processIdentifier);
    if (it == m_entries.end() || it->reading || it->notAnswering)
        return;
    m_timers.cancel(it->rereadTimer);
    it->rereadTimer = 0;
    it->reading = true;
    const quint64 serial = ++it->readSerial;
    const MenuReadRequest request{processIdentifier, it->limits, READ_DEADLINE_MS, it->app.identifier};
    // An inline reader answers before read returns; the entry may be gone or read again then.
    const MenuReader::Ticket ticket =
        m_reader.read(request, [this, processIdentifier, serial](const MenuRead& read) {
            finishRead(processIdentifier, serial, read);
        });
    it = m_entries.find(processIdentifier);
    if (it == m_entries.end() || !it->reading || it->readSerial != serial)
        return;
    it->ticket = ticket;
    it->giveUpTimer =
        m_timers.singleShot(std::chrono::milliseconds(READ_DEADLINE_MS + ANSWER_GRACE_MS),
                            [this, processIdentifier, serial] { giveUp(processIdentifier, serial); });
}

void MenuSource::finishRead(qint64 processIdentifier, quint64 serial, const MenuRead& read)
{
    auto it = m_entries.find(processIdentifier);
    if (it == m_entries.end() || !it->reading || it->readSerial != serial)
        return;
    Entry& entry = *it;
    entry.reading = false;
    entry.ticket = 0;
    m_timers.cancel(entry.giveUpTimer);
    entry.giveUpTimer = 0;

    switch (read.outcome) {
    case MenuReadOutcome::Complete: {
        const bool changed = !entry.items || !sameMenus(*entry.items, read.items) || entry.notAnswering ||
                             entry.absence != read.absence;
        entry.items = read.items;
        entry.absence = read.absence;
        entry.elements.clear();
        collectElements(read.items, entry.elements);
        if (!read.menuBar.isNull())
            entry.elements.insert(read.menuBar);
        entry.origin = read.menuBar.origin();
        entry.readAtMs = m_clock.now().toMSecsSinceEpoch();
        entry.stale = false;
        entry.notAnswering = false;
        publish(entry, snapshotOf(entry, MenuStatus::Read), changed);
        return;
    }
    case MenuReadOutcome::TimedOut: {
        // A complete earlier read says more than the part of this one that came back.
        if (!entry.items && !read.items.isEmpty())
            entry.items = read.items;
        const bool changed = !entry.notAnswering;
        entry.notAnswering = true;
        publish(entry, snapshotOf(entry, MenuStatus::NotAnswering), changed);
        return;
    }
    case MenuReadOutcome::Gone: {
        MenuSnapshot snapshot{read.items.isEmpty() ? entry.items.value_or(QList<MenuItem>()) : read.items,
                              MenuStatus::Quit};
        publish(entry, snapshot, true);
        drop(processIdentifier);
        return;
    }
    }
}

void MenuSource::giveUp(qint64 processIdentifier, quint64 serial)
{
    auto it = m_entries.find(processIdentifier);
    if (it == m_entries.end() || !it->reading || it->readSerial != serial)
        return;
    Entry& entry = *it;
    entry.giveUpTimer = 0;
    entry.reading = false;
    m_reader.cancel(entry.ticket);
    entry.ticket = 0;
    const bool changed = !entry.notAnswering;
    entry.notAnswering = true;
    publish(entry, snapshotOf(entry, MenuStatus::NotAnswering), changed);
}

void MenuSource::startPing(qint64 processIdentifier)
{
    auto it = m_entries.find(processIdentifier);
    if (it == m_entries.end() || it->pinging)
        return;
    it->pinging = true;
    const QString identifier = it->app.identifier;
    m_reader.ping(processIdentifier, READ_DEADLINE_MS, [this, processIdentifier, identifier](bool answered) {
        auto found = m_entries.find(processIdentifier);
        if (found == m_entries.end() || found->app.identifier != identifier)
            return;
        found->pinging = false;
        if (!answered)
            return;
        found->notAnswering = false;
        startRead(processIdentifier);
    });
}

void MenuSource::publish(Entry& entry, const MenuSnapshot& snapshot, bool changed)
{
    const bool announce = changed && entry.handedOut;
    const QList<Waiter> waiters = std::exchange(entry.waiters, {});
    entry.handedOut = entry.handedOut || !waiters.isEmpty();
    const qint64 pid = entry.app.processIdentifier;
    // The entry may go while the waiters run: nothing below touches it.
    for (const Waiter& waiter : waiters) {
        if (waiter.context)
            waiter.done(snapshot);
    }
    if (announce)
        Q_EMIT menusChanged(pid, snapshot);
}

void MenuSource::elementChanged(const AXElement& element)
{
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->elements.contains(element)) {
            it->stale = true;
            scheduleReread(*it);
        }
    }
}

void MenuSource::scheduleReread(Entry& entry)
{
    if (entry.rereadTimer != 0 || entry.notAnswering)
        return;
    const qint64 pid = entry.app.processIdentifier;
    entry.rereadTimer = m_timers.singleShot(std::chrono::milliseconds(REREAD_DELAY_MS), [this, pid] {
        auto it = m_entries.find(pid);
        if (it == m_entries.end())
            return;
        it->rereadTimer = 0;
        // A read under way may have started before the change: read once more after it.
        if (it->reading)
            scheduleReread(*it);
        else
            startRead(pid);
    });
}

void MenuSource::applicationGone(const QString& origin)
{
    if (origin.isEmpty())
        return;
    QList<qint64> gone;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        // A read under way ends by itself, and says the application quit.
        if (it->origin == origin && !it->reading)
            gone.append(it.key());
    }
    for (qint64 pid : gone)
        drop(pid);
}

void MenuSource::clear()
{
    const QList<qint64> pids = m_entries.keys();
    for (qint64 pid : pids) {
        if (!m_entries.value(pid).reading)
            drop(pid);
    }
}

void MenuSource::drop(qint64 processIdentifier)
{
    auto it = m_entries.find(processIdentifier);
    if (it == m_entries.end())
        return;
    m_timers.cancel(it->giveUpTimer);
    m_timers.cancel(it->rereadTimer);
    if (it->reading)
        m_reader.cancel(it->ticket);
    m_entries.erase(it);
}

void MenuSource::trim()
{
    while (m_entries.size() > MAX_APPLICATIONS) {
        auto oldest = m_entries.end();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (!it->reading && it->waiters.isEmpty() &&
                (oldest == m_entries.end() || it->usedAtMs < oldest->usedAtMs))
                oldest = it;
        }
        if (oldest == m_entries.end())
            return;
        drop(oldest.key());
    }
}

} // namespace tavlen
