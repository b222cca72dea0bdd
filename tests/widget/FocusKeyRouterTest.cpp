#include "core/windows/FocusKeyRouter.h"

#include "platform/KeyInput.h"
#include "platform/MacKeys.h"
#include "platform/fake/FakeKeyEventSource.h"

#include <gtest/gtest.h>
#include <vector>

using namespace tavlen;

namespace {

const KeyEvent commandDown{KeyEvent::Type::FlagsChanged, EventFlag::Command, mac_keys::Command};
const KeyEvent letterDown{KeyEvent::Type::KeyDown, 0, 0};

struct Recorder {
    explicit Recorder(FocusKeyRouter& router)
    {
        QObject::connect(&router.global(), &KeyEventSource::keyEvent,
                         [this](const KeyEvent& e) { global.push_back(e); });
        QObject::connect(&router.local(), &KeyEventSource::keyEvent,
                         [this](const KeyEvent& e) { local.push_back(e); });
    }

    std::vector<KeyEvent> global;
    std::vector<KeyEvent> local;
};

} // namespace

TEST(FocusKeyRouterTest, DisplayKeysGoToTheLocalSourceWhileTavlenHasTheFocus)
{
    fake::FakeKeyEventSource display;
    fake::FakeKeyEventSource fallback;
    bool focused = false;
    FocusKeyRouter router(&display, &fallback, [&focused] { return focused; });
    Recorder recorder(router);

    display.deliver(commandDown);
    focused = true;
    display.deliver(letterDown);
    // With the display's keys at hand the fallback would only repeat them.
    fallback.deliver(commandDown);
    focused = false;
    display.deliver(letterDown);

    EXPECT_EQ(recorder.global, (std::vector<KeyEvent>{commandDown, letterDown}));
    EXPECT_EQ(recorder.local, std::vector<KeyEvent>{letterDown});
}

TEST(FocusKeyRouterTest, WithoutDisplayKeysTheFallbackFeedsTheLocalSource)
{
    fake::FakeKeyEventSource fallback;
    FocusKeyRouter router(nullptr, &fallback, [] { return false; });
    Recorder recorder(router);

    fallback.deliver(commandDown);
    fallback.deliver(letterDown);

    EXPECT_TRUE(recorder.global.empty());
    EXPECT_EQ(recorder.local, (std::vector<KeyEvent>{commandDown, letterDown}));
}

TEST(FocusKeyRouterTest, WhileTavlensMenuIsOpenItsKeysAreTheMenusAlone)
{
    const KeyEvent escapeDown{KeyEvent::Type::KeyDown, 0, mac_keys::Escape};
    fake::FakeKeyEventSource display;
    fake::FakeKeyEventSource fallback;
    bool menuOpen = true;
    FocusKeyRouter router(
        &display, nullptr, [] { return true; }, [&menuOpen] { return menuOpen; });
    Recorder recorder(router);
    display.deliver(escapeDown);
    EXPECT_TRUE(recorder.local.empty()) << "Escape closes the menu, not the panel beneath it";
    menuOpen = false;
    display.deliver(escapeDown);
    EXPECT_EQ(recorder.local, std::vector<KeyEvent>{escapeDown});

    // Where only Tavlen's own windows are heard, the same.
    FocusKeyRouter own(
        nullptr, &fallback, [] { return true; }, [&menuOpen] { return menuOpen; });
    Recorder ownRecorder(own);
    menuOpen = true;
    fallback.deliver(escapeDown);
    EXPECT_TRUE(ownRecorder.local.empty());
    EXPECT_TRUE(recorder.global.empty() && ownRecorder.global.empty());
}
