#include "platform/fake/FakeTimers.h"

#include "platform/fake/FakeClock.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using tavlen::fake::FakeClock;
using tavlen::fake::FakeTimers;

namespace {

TEST(FakeTimers, FiresInDueOrderEachAtItsOwnMoment)
{
    FakeClock clock(QDateTime::fromMSecsSinceEpoch(0, Qt::UTC));
    FakeTimers timers(&clock);
    QStringList fired;
    auto record = [&](const char* name) {
        return [&fired, &clock, name] {
            fired.append(
                QStringLiteral("%1@%2").arg(QLatin1String(name)).arg(clock.now().toMSecsSinceEpoch()));
        };
    };

    timers.singleShot(300ms, record("c"));
    timers.singleShot(100ms, [&] {
        record("a")();
        // Started at 100: due at 150, inside the span being advanced.
        timers.singleShot(50ms, record("nested"));
    });
    const auto cancelled = timers.singleShot(200ms, record("cancelled"));
    timers.singleShot(100ms, [&] {
        record("b")();
        timers.cancel(cancelled);
    });

    timers.advance(250ms);
    EXPECT_EQ(fired,
              (QStringList{QStringLiteral("a@100"), QStringLiteral("b@100"), QStringLiteral("nested@150")}));
    EXPECT_EQ(clock.now().toMSecsSinceEpoch(), 250);
    EXPECT_EQ(timers.pendingCount(), 1);

    timers.advance(49ms);
    EXPECT_EQ(fired.size(), 3);
    timers.advance(1ms);
    EXPECT_EQ(fired.last(), QStringLiteral("c@300"));
    EXPECT_EQ(timers.pendingCount(), 0);
}

} // namespace
