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
    // Due after every other: once it has fired, so would have anything cancelled too late.
    timers.singleShot(40ms, [&] { fired.append(QStringLiteral("last")); });
    ASSERT_TRUE(tavlen::test::waitUntil([&] { return fired.contains(QStringLiteral("last")); }, 2000));
    EXPECT_EQ(fired, (QStringList{QStringLiteral("first"), QStringLiteral("late"), QStringLiteral("last")}));

    fired.clear();
    {
        // Timers still pending when their owner goes never fire.
        QtTimers gone;
        gone.singleShot(0ms, [&] { fired.append(QStringLiteral("gone")); });
    }
    timers.singleShot(0ms, [&] { fired.append(QStringLiteral("after")); });
    ASSERT_TRUE(tavlen::test::waitUntil([&] { return fired.contains(QStringLiteral("after")); }, 2000));
    EXPECT_EQ(fired, QStringList{QStringLiteral("after")});
}
