#include "settings/PaneSettings.h"
#include "platform/fake/FakeUserDefaults.h"
#include "settings/SettingsKeys.h"
#include "settings/UserDefaults.h"
#include "support/NotifyLog.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace tavlen;
using fake::FakeUserDefaults;

TEST(PaneSettingsTest, UnwrittenKeysShowTheDefaultsTheControllerUses)
{
    FakeUserDefaults store;
    const PaneSettings settings(store);
    EXPECT_EQ(settings.activationKeyType(), 1);
    EXPECT_DOUBLE_EQ(settings.keyHoldingDelay(), 0.5);
    EXPECT_FALSE(settings.showPersistentWindowOnTheRight());
    EXPECT_FALSE(settings.hideMenuIcon());
    EXPECT_FALSE(settings.launchAtLogin()) << "no autostart entry exists until the user asks";
}

TEST(PaneSettingsTest, WritesReachTheControllersKeysInBothStorageForms)
{
    for (const auto storage : {FakeUserDefaults::Storage::Native, FakeUserDefaults::Storage::Text}) {
        FakeUserDefaults store(storage);
        PaneSettings settings(store);
        const UserDefaults direct(store);
        settings.setActivationKeyType(2);
        settings.setKeyHoldingDelay(1.25);
        settings.setShowPersistentWindowOnTheRight(true);
        settings.setHideMenuIcon(true);
        settings.setLaunchAtLogin(false);

        EXPECT_EQ(direct.activationKeyType(), 2);
        EXPECT_DOUBLE_EQ(direct.keyHoldingDelay(), 1.25);
        EXPECT_TRUE(direct.showPersistentWindowOnTheRight());
        EXPECT_TRUE(direct.hideMenuIcon());
        EXPECT_FALSE(store.value(SettingsKeys::launchAtLogin).isNull());
        EXPECT_FALSE(direct.launchAtLogin());
        EXPECT_EQ(settings.activationKeyType(), 2);
        EXPECT_DOUBLE_EQ(settings.keyHoldingDelay(), 1.25);
        EXPECT_FALSE(settings.launchAtLogin());
    }
}

TEST(PaneSettingsTest, ChangesFromAnywhereAreAnnouncedAfterTheyAreStored)
{
    FakeUserDefaults store;
    PaneSettings settings(store);
    const test::NotifyLog log(settings, {"activationKeyType", "keyHoldingDelay",
                                         "showPersistentWindowOnTheRight", "hideMenuIcon", "launchAtLogin"});
    bool seenNewValue = false;
    QObject::connect(&settings, &PaneSettings::hideMenuIconChanged, &settings,
                     [&] { seenNewValue = settings.hideMenuIcon(); });

    UserDefaults(store).setHideMenuIcon(true);
    store.simulateOutsideEdit(SettingsKeys::keyHoldingDelay, QStringLiteral("0.75"));
    settings.setLaunchAtLogin(false);
    UserDefaults(store).setActivationKeyType(2);
    store.simulateOutsideEdit(SettingsKeys::showPersistentWindowOnTheRight, QStringLiteral("true"));
    // Keys of AppSettings are not this object's.
    store.setValue(SettingsKeys::fontSize, 16.0);

    EXPECT_TRUE(seenNewValue);
    EXPECT_EQ(log.names, (QStringList{"hideMenuIcon", "keyHoldingDelay", "launchAtLogin", "activationKeyType",
                                      "showPersistentWindowOnTheRight"}));
    EXPECT_DOUBLE_EQ(settings.keyHoldingDelay(), 0.75);
    EXPECT_TRUE(settings.showPersistentWindowOnTheRight());
}

TEST(PaneSettingsTest, ValuesOfAnotherTypeFallBackToTheDefaults)
{
    FakeUserDefaults store;
    const PaneSettings settings(store);
    store.simulateOutsideEdit(SettingsKeys::activationKeyType, QStringLiteral("two"));
    store.simulateOutsideEdit(SettingsKeys::keyHoldingDelay, QStringLiteral("soon"));
    store.simulateOutsideEdit(SettingsKeys::launchAtLogin, QStringLiteral("1"));
    store.simulateOutsideEdit(SettingsKeys::hideMenuIcon, 1);
    EXPECT_EQ(settings.activationKeyType(), 1);
    EXPECT_DOUBLE_EQ(settings.keyHoldingDelay(), 0.5);
    EXPECT_FALSE(settings.launchAtLogin());
    EXPECT_FALSE(settings.hideMenuIcon());
}
