#include "platform/NotificationCenter.h"

#include "platform/NotificationNames.h"

#include <gtest/gtest.h>

using namespace tavlen;

namespace {

const QString CLOSE = NotificationNames::closePanel;
const QString SETTINGS = NotificationNames::openSettingsWindow;

TEST(NotificationCenterTest, DeliversByNameInOrderWithUserInfo)
{
    NotificationCenter center;
    QStringList heard;
    center.addObserver(CLOSE, [&](const QString& name, const QVariantMap&) { heard << "a:" + name; });
    center.addObserver(SETTINGS, [&](const QString& name, const QVariantMap&) { heard << "b:" + name; });
    center.addObserver(CLOSE, [&](const QString&, const QVariantMap& info) {
        heard << "c:" + info.value(NotificationNames::messageKey).toString();
    });

    center.post(CLOSE, {{NotificationNames::messageKey, QStringLiteral("showHotkeys")}});
    EXPECT_EQ(heard, (QStringList{"a:closePanelNotification", "c:showHotkeys"}));
    heard.clear();
    center.post(QStringLiteral("unknownNotification"));
    EXPECT_TRUE(heard.isEmpty());
    EXPECT_EQ(center.observerCount(CLOSE), 2);
    EXPECT_EQ(center.addObserver(CLOSE, {}), 0u);
    EXPECT_EQ(center.observerCount(CLOSE), 2);
}

TEST(NotificationCenterTest, RemovedObserversAreNotCalledEvenMidDelivery)
{
    NotificationCenter center;
    int firstCalls = 0;
    int secondCalls = 0;
    NotificationCenter::Token second = 0;
    NotificationCenter::Token first = 0;
    first = center.addObserver(CLOSE, [&](const QString&, const QVariantMap&) {
        ++firstCalls;
        // Removes the one after it, and itself while its own call is running.
        center.removeObserver(second);
        center.removeObserver(first);
    });
    second = center.addObserver(CLOSE, [&](const QString&, const QVariantMap&) { ++secondCalls; });
    EXPECT_NE(first, second);

    center.post(CLOSE);
    center.post(CLOSE);
    EXPECT_EQ(firstCalls, 1);
    EXPECT_EQ(secondCalls, 0);
    EXPECT_EQ(center.observerCount(CLOSE), 0);
    center.removeObserver(first); // already gone
    center.removeObserver(12345);
}

TEST(NotificationCenterTest, ObserversAddedOrPostingDuringDeliveryAreSafe)
{
    NotificationCenter center;
    QStringList heard;
    center.addObserver(CLOSE, [&](const QString&, const QVariantMap&) {
        heard << QStringLiteral("close");
        // Many additions at once would move the observer list under a naive loop.
        for (int i = 0; i < 64; ++i)
            center.addObserver(CLOSE,
                               [&](const QString&, const QVariantMap&) { heard << QStringLiteral("late"); });
        center.post(SETTINGS);
    });
    center.addObserver(SETTINGS,
                       [&](const QString&, const QVariantMap&) { heard << QStringLiteral("settings"); });

    center.post(CLOSE);
    EXPECT_EQ(heard, (QStringList{"close", "settings"}));
    heard.clear();
    center.post(SETTINGS);
    EXPECT_EQ(heard, QStringList{"settings"});
    EXPECT_EQ(center.observerCount(CLOSE), 65);
}

} // namespace
