#include "platform/linux/QtTimers.h"

#include "support/WaitUntil.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using tavlen::linux_platform::QtTimers;

TEST(QtTimers, FiresOnceInOrderAndNotWhenCancelled)
{
    QtTimers timers;
    QStringList fired;
    timers.singleShot(30ms, [&] { fired.append(QStringLiteral("late")); });
    const auto cancelled = timers.singleShot(10ms, [&] { fired.append(QStringLiteral("cancelled")); });
    timers.singleShot(0ms, [&] {
        fired.append(QStringLiteral("first"));
        timers.cancel(cancelled);
    });
    ASSERT_TRUE(tavlen::test::waitUntil([&] { return fired.size() >= 2; }, 2000));
    tavlen::test::waitUntil([] { return false; }, 60);
    EXPECT_EQ(fired, (QStringList{QStringLiteral("first"), QStringLiteral("late")}));

    {
        // Timers still pending when their owner goes never fire.
        QtTimers gone;
        gone.singleShot(0ms, [&] { fired.append(QStringLiteral("gone")); });
    }
    tavlen::test::waitUntil([] { return false; }, 30);
    EXPECT_EQ(fired.size(), 2);
}
