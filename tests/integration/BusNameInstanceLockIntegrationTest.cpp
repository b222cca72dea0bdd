// The single-instance lock on the session bus of the test session: two connections stand for
// two Tavlen processes, each with its own unique name on the bus.

#include "platform/linux/BusNameInstanceLock.h"
#include "shared/TavlenIdentifiers.h"
#include "support/WaitUntil.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <gtest/gtest.h>
#include <memory>

using tavlen::linux_platform::BusNameInstanceLock;
using tavlen::test::waitUntil;

namespace {

const QString APP_NAME = QString::fromLatin1(tavlen::ids::APP_IDENTIFIER);

class BusNameInstanceLockIntegration : public ::testing::Test {
protected:
    void SetUp() override
    {
        observer =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("lock-observer"));
        ASSERT_TRUE(observer.isConnected()) << "no session bus; run inside scripts/with-session.sh";
        ASSERT_FALSE(isOwned()) << "another process already owns " << APP_NAME.toStdString();
    }
    void TearDown() override
    {
        for (const QString& name :
             {QStringLiteral("lock-first"), QStringLiteral("lock-second"), QStringLiteral("lock-observer")})
            QDBusConnection::disconnectFromBus(name);
    }

    bool isOwned() const { return observer.interface()->isServiceRegistered(APP_NAME).value(); }
    QString owner() const { return observer.interface()->serviceOwner(APP_NAME).value(); }

    static QDBusConnection process(const QString& name)
    {
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    }

    QDBusConnection observer{QString()};
};

TEST_F(BusNameInstanceLockIntegration, SecondInstanceIsRefusedUntilTheFirstProcessIsGone)
{
    QDBusConnection first = process(QStringLiteral("lock-first"));
    QDBusConnection second = process(QStringLiteral("lock-second"));
    ASSERT_TRUE(first.isConnected());
    ASSERT_TRUE(second.isConnected());

    auto firstLock = std::make_unique<BusNameInstanceLock>(first);
    BusNameInstanceLock secondLock(second);
    ASSERT_TRUE(firstLock->acquire());
    EXPECT_EQ(owner(), first.baseService());
    EXPECT_TRUE(firstLock->acquire()) << "asking again keeps the lock";

    EXPECT_FALSE(secondLock.acquire());
    EXPECT_FALSE(secondLock.acquire()) << "a refused process is not queued for the name";
    EXPECT_EQ(owner(), first.baseService());

    // The first process ends without giving anything back, as a crash would end it.
    firstLock.reset();
    first = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(QStringLiteral("lock-first"));
    ASSERT_TRUE(waitUntil([this] { return !isOwned(); }));

    EXPECT_TRUE(secondLock.acquire());
    EXPECT_EQ(owner(), second.baseService());
}

} // namespace
