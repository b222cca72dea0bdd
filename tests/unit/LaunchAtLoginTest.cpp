#include "core/LaunchAtLogin.h"
#include "platform/fake/FakeLoginItems.h"

#include <gtest/gtest.h>

using tavlen::applyLaunchAtLogin;
using tavlen::fake::FakeLoginItems;

namespace {

TEST(LaunchAtLogin, ChangesTheLoginItemOnlyWhenItDiffersFromTheChoice)
{
    struct Case {
        bool registered;
        bool choice;
        QList<bool> expectedRequests;
    };
    for (const Case& c : {Case{false, true, {true}}, Case{true, false, {false}}, Case{true, true, {}},
                          Case{false, false, {}}}) {
        FakeLoginItems items(c.registered);
        applyLaunchAtLogin(c.choice, items);
        EXPECT_EQ(items.requests(), c.expectedRequests) << c.registered << " -> " << c.choice;
        EXPECT_EQ(items.isEnabled(), c.choice);
    }
}

TEST(LaunchAtLogin, AFailureIsSwallowedAndTheNextChangeTriesAgain)
{
    FakeLoginItems items(false);
    items.setSucceeds(false);
    applyLaunchAtLogin(true, items);
    EXPECT_FALSE(items.isEnabled());

    items.setSucceeds(true);
    applyLaunchAtLogin(true, items);
    EXPECT_TRUE(items.isEnabled());
    EXPECT_EQ(items.requests(), (QList<bool>{true, true}));
}

} // namespace
