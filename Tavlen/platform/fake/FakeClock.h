#pragma once

#include "platform/Clock.h"

namespace tavlen::fake {

// A clock that only moves when a test moves it.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC))
        : m_now(std::move(start))
    {}

    QDateTime now() const override { return m_now; }
    void set(const QDateTime& now) { m_now = now; }
    void advanceMilliseconds(qint64 ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now;
};

} // namespace tavlen::fake
