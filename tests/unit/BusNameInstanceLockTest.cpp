#include "platform/linux/BusNameInstanceLock.h"

#include <QDBusConnection>
#include <gtest/gtest.h>

using tavlen::linux_platform::BusNameInstanceLock;

namespace {

// Without a bus nothing can say another instance runs, so Tavlen must not claim one does.
TEST(BusNameInstanceLock, WithoutASessionBusTheProcessIsLetRun)
{
    const QString name = QStringLiteral("tavlen-lock-no-bus");
    {
        const QDBusConnection broken =
            QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/tavlen-bus"), name);
        ASSERT_FALSE(broken.isConnected());
        BusNameInstanceLock lock(broken);
        EXPECT_TRUE(lock.acquire());
    }
    QDBusConnection::disconnectFromBus(name);
}

} // namespace
