#include "platform/fake/FakeTimers.h"

#include "platform/fake/FakeClock.h"

#include <algorithm>

namespace tavlen::fake {

Timers::Id FakeTimers::singleShot(std::chrono::milliseconds delay, std::function<void()> callback)
{
    const Id id = ++m_lastId;
    const std::chrono::milliseconds due = m_now + std::max(delay, std::chrono::milliseconds(0));
    m_pending.emplace(std::pair{due, id}, std::move(callback));
    return id;
}

void FakeTimers::cancel(Id id)
{
    std::erase_if(m_pending, [id](const auto& entry) { return entry.first.second == id; });
}

void FakeTimers::advance(std::chrono::milliseconds by)
{
    const std::chrono::milliseconds target = m_now + std::max(by, std::chrono::milliseconds(0));
    // One timer at a time, looked up afresh: a callback may start or cancel others.
    while (!m_pending.empty() && m_pending.begin()->first.first <= target) {
        auto next = m_pending.begin();
        const std::chrono::milliseconds due = next->first.first;
        std::function<void()> callback = std::move(next->second);
        m_pending.erase(next);
        moveTo(due);
        if (callback)
            callback();
    }
    moveTo(target);
}

void FakeTimers::moveTo(std::chrono::milliseconds time)
{
    if (m_clock)
        m_clock->advanceMilliseconds((time - m_now).count());
    m_now = time;
}

} // namespace tavlen::fake
