#pragma once

#include "platform/Timers.h"

#include <chrono>
#include <map>
#include <utility>

namespace tavlen::fake {

class FakeClock;

// Timers that fire only when a test moves time on. Fake time starts at 0 and is independent
// of any clock, unless one is given: that clock is then moved along with it.
class FakeTimers final : public Timers {
public:
    explicit FakeTimers(FakeClock* clock = nullptr) : m_clock(clock) {}

    Id singleShot(std::chrono::milliseconds delay, std::function<void()> callback) override;
    void cancel(Id id) override;

    // Moves time on by `by`, firing every timer that falls due on the way, in order of due time
    // (timers due at the same moment in the order they were made), each at its own moment:
    // the clock shows that moment while it runs, and timers it starts count from there. Timers
    // that fall due within the span are fired too; cancelled ones are not.
    void advance(std::chrono::milliseconds by);

    std::chrono::milliseconds elapsed() const { return m_now; }
    qsizetype pendingCount() const { return static_cast<qsizetype>(m_pending.size()); }

private:
    void moveTo(std::chrono::milliseconds time);

    // Keyed by (due time, id): ids grow, so equal due times keep their creation order.
    std::map<std::pair<std::chrono::milliseconds, Id>, std::function<void()>> m_pending;
    std::chrono::milliseconds m_now{0};
    Id m_lastId = 0;
    FakeClock* m_clock = nullptr;
};

} // namespace tavlen::fake
