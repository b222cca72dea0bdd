#pragma once

#include "harvest/MenuReader.h"
#include "platform/Timers.h"
#include "platform/Workspace.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <functional>
#include <optional>

namespace tavlen {

class Clock;

// How the menus handed out came to be.
enum class MenuStatus {
    // Read just now.
    Read,
    // Kept from an earlier read; the application is being read again behind them.
    Cached,
    // The application did not answer in time: whatever was known of it before.
    NotAnswering,
    // The application left while it was read: what it answered until then.
    Quit,
};

struct MenuSnapshot {
    QList<MenuItem> items; // the harvested top-level menus, unpruned
    MenuStatus status = MenuStatus::Read;
    // Why there are no menus, when the last complete read found none.
    MenuAbsence absence = {};
};

// Every application's menus as last read, kept fresh by the applications' own change events and
// by reading again behind every use, and the one place that decides when to read. A read has one
// deadline; an application that misses it is not read again until it answers a cheap request.
// Lives on the user-interface thread; reads run wherever the reader runs them.
class MenuSource : public QObject {
    Q_OBJECT
public:
    // One deadline for a whole read of a menu bar.
    static constexpr int READ_DEADLINE_MS = 1000;
    // How late past the deadline a reader's answer may be before the read is given up: a reader
    // bounds its own calls by the deadline, so only a reader that is itself stuck takes longer.
    static constexpr int ANSWER_GRACE_MS = 150;
    // A read that ended this recently is not repeated because its menus are asked for again.
    static constexpr int FRESH_FOR_MS = 250;
    // Change events come in bursts (a menu rebuilt entry by entry); a re-read waits for the end.
    static constexpr int REREAD_DELAY_MS = 200;
    // The user may only be passing through an application on the way to another.
    static constexpr int READ_AHEAD_DELAY_MS = 300;
    // Applications whose menus are kept; the longest unused ones go first.
    static constexpr int MAX_APPLICATIONS = 16;

    using Callback = std::function<void(const MenuSnapshot&)>;

    MenuSource(MenuReader& reader, Timers& timers, const Clock& clock, QObject* parent = nullptr);
    ~MenuSource() override;

    // Hands the application's menus to `done`, once: at once when any are known (and then reads
    // again behind them unless they are brand new), else when the read ends or misses its
    // deadline. Nothing is handed to a `context` that has gone.
    void menus(const RunningApplication& app, const MenuWalkLimits& limits, QObject* context, Callback done);

    // Reads an application's menus into the cache after a short delay, unless what is kept is
    // fresh; a later call replaces an earlier one that has not started.
    void readAhead(const RunningApplication& app, const MenuWalkLimits& limits);
    // Reads at once (unless fresh): the user is about to ask for them.
    void readNow(const RunningApplication& app, const MenuWalkLimits& limits);

    // What the accessibility bus reports: an element changed (its children, name or states), or
    // an application left.
    void elementChanged(const AXElement& element);
    void applicationGone(const QString& origin);
    // Forgets every application's menus (a setting that changes what a read keeps).
    void clear();

    bool isKept(qint64 processIdentifier) const;

Q_SIGNALS:
    // Menus of that process differ from what was handed out before: a read brought other
    // entries, or the application stopped answering or left.
    void menusChanged(qint64 processIdentifier, const tavlen::MenuSnapshot& snapshot);

private:
    struct Waiter {
        QPointer<QObject> context;
        Callback done;
    };
    struct Entry {
        RunningApplication app;
        MenuWalkLimits limits;
        std::optional<QList<MenuItem>> items;
        MenuAbsence absence;
        QSet<AXElement> elements;
        QString origin;
        qint64 readAtMs = -1;
        qint64 usedAtMs = 0;
        bool stale = false;
        bool handedOut = false;
        bool notAnswering = false;
        bool reading = false;
        bool pinging = false;
        quint64 readSerial = 0;
        MenuReader::Ticket ticket = 0;
        Timers::Id giveUpTimer = 0;
        Timers::Id rereadTimer = 0;
        QList<Waiter> waiters;
    };

    Entry& entryFor(const RunningApplication& app, const MenuWalkLimits& limits);
    void startRead(qint64 processIdentifier);
    void finishRead(qint64 processIdentifier, quint64 serial, const MenuRead& read);
    void giveUp(qint64 processIdentifier, quint64 serial);
    void startPing(qint64 processIdentifier);
    void scheduleReread(Entry& entry);
    // Hands a snapshot to the waiters, and announces it when the menus handed out before differ.
    void publish(Entry& entry, const MenuSnapshot& snapshot, bool changed);
    void drop(qint64 processIdentifier);
    void trim();
    bool isFresh(const Entry& entry) const;
    MenuSnapshot snapshotOf(const Entry& entry, MenuStatus status) const;

    MenuReader& m_reader;
    Timers& m_timers;
    const Clock& m_clock;
    QHash<qint64, Entry> m_entries;
    Timers::Id m_readAheadTimer = 0;
};

// How a read's end shows in what is handed out.
MenuStatus statusAfter(MenuReadOutcome outcome);
// The one line that says why an application's menus may be incomplete ("Geany (pid 4242) did not
// answer within 1 s"); empty when there is nothing to say.
QString troubleText(MenuStatus status, const QString& applicationName, qint64 processIdentifier);

// Whether two reads show the same menus: titles, shortcuts, states, structure and elements,
// whatever their records' ids.
bool sameMenus(const QList<MenuItem>& a, const QList<MenuItem>& b);

} // namespace tavlen

Q_DECLARE_METATYPE(tavlen::MenuSnapshot)
