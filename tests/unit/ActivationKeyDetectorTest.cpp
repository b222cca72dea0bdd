#include "core/ActivationKeyDetector.h"

#include "core/ModifierClass.h"
#include "platform/KeyInput.h"
#include "platform/MacKeys.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeKeyEventSource.h"
#include "platform/fake/FakeTimers.h"
#include "platform/fake/FakeUserDefaults.h"
#include "settings/UserDefaults.h"

#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

using namespace std::chrono_literals;
using tavlen::ActivationKeyDetector;
using tavlen::KeyEvent;
using tavlen::ModifierClass;
using tavlen::UserDefaults;
namespace EventFlag = tavlen::EventFlag;
namespace mac_keys = tavlen::mac_keys;

namespace {

constexpr quint16 LetterA = 0;
constexpr qint64 CapsLock = 0x10000;

KeyEvent flags(qint64 modifierFlags, quint16 keyCode = mac_keys::Command)
{
    return {KeyEvent::Type::FlagsChanged, modifierFlags, keyCode};
}

class ActivationKeyDetectorTest : public ::testing::Test {
protected:
    ActivationKeyDetectorTest()
    {
        defaults.setActivationKeyType(1);
        defaults.setKeyHoldingDelay(0.25);
        defaults.setActivationPersistentKeyType(0);
        defaults.setHideMenuIcon(false);
        detector = std::make_unique<ActivationKeyDetector>(store, clock, timers);
        record(detector.get());
    }

    void record(ActivationKeyDetector* d)
    {
        QObject::connect(d, &ActivationKeyDetector::showShortcutPanel, [this](bool isGlobal) {
            commands.append(isGlobal ? QStringLiteral("show") : QStringLiteral("show-local"));
        });
        QObject::connect(d, &ActivationKeyDetector::closeShortcutPanel,
                         [this] { commands.append(QStringLiteral("close")); });
        QObject::connect(d, &ActivationKeyDetector::togglePersistentPanel,
                         [this] { commands.append(QStringLiteral("toggle")); });
        QObject::connect(d, &ActivationKeyDetector::scrollPanel, [this](tavlen::PanelScroll step) {
            commands.append(QStringLiteral("scroll %1").arg(static_cast<int>(step)));
        });
        QObject::connect(d, &ActivationKeyDetector::openSettingsWindow,
                         [this] { commands.append(QStringLiteral("settings")); });
    }

    // A Command tap or press in another application; `wait` runs the event loop on by that much.
    void commandDown() { detector->handleGlobalEvent(flags(EventFlag::Command)); }
    void allUp() { detector->handleGlobalEvent(flags(0)); }
    // A tap and, 0.1 s later, the second press of the gesture, still held.
    void tapThenPress()
    {
        commandDown();
        allUp();
        wait(100ms);
        commandDown();
    }
    void controlDown() { detector->handleGlobalEvent(flags(EventFlag::Control, mac_keys::Control)); }
    void wait(std::chrono::milliseconds ms) { timers.advance(ms); }
    void settle() { timers.advance(0ms); }
    // What was issued since the last call, with the scheduled commands run.
    QStringList take()
    {
        settle();
        return std::exchange(commands, {});
    }
    bool issued(const QString& command) { return take().contains(command); }

    tavlen::fake::FakeClock clock;
    tavlen::fake::FakeTimers timers{&clock};
    tavlen::fake::FakeUserDefaults store;
    UserDefaults defaults{store};
    std::unique_ptr<ActivationKeyDetector> detector;
    QStringList commands;
};

TEST(ModifierClassTest, OnlyTheFiveModifiersCount)
{
    EXPECT_EQ(tavlen::classifyModifiers(EventFlag::Command), ModifierClass::CommandAlone);
    EXPECT_EQ(tavlen::classifyModifiers(EventFlag::Command | CapsLock | 0x8), ModifierClass::CommandAlone);
    EXPECT_EQ(tavlen::classifyModifiers(EventFlag::Control | CapsLock), ModifierClass::ControlAlone);
    EXPECT_EQ(tavlen::classifyModifiers(CapsLock), ModifierClass::Released);
    EXPECT_EQ(tavlen::classifyModifiers(EventFlag::Command | EventFlag::Shift), ModifierClass::Other);
    EXPECT_EQ(tavlen::classifyModifiers(EventFlag::Control | EventFlag::Option), ModifierClass::Other);
    EXPECT_EQ(tavlen::classifyModifiers(EventFlag::Function), ModifierClass::Other);
    EXPECT_EQ(tavlen::classifyModifiers(EventFlag::Option), ModifierClass::Other);
}

TEST_F(ActivationKeyDetectorTest, TwiceAndHoldOpensWithinTheQuickWindowOnly)
{
    commandDown();
    EXPECT_EQ(take(), QStringList{"close"}); // a first press closes a panel the menu opened
    allUp();
    wait(490ms);
    commandDown();
    wait(249ms);
    EXPECT_FALSE(take().contains("show"));
    wait(1ms);
    EXPECT_EQ(take(), QStringList{"show"});
    EXPECT_FALSE(detector->keyPressTimerPending());

    allUp();
    EXPECT_EQ(take(), QStringList{"close"});

    // 0.5 s apart: the second press is a new first press, and a third one 0.3 s later opens.
    wait(1s);
    commandDown();
    allUp();
    wait(500ms);
    commandDown();
    EXPECT_FALSE(detector->keyPressTimerPending());
    EXPECT_EQ(detector->lastCommandKeyPressTime(), clock.now());
    allUp();
    wait(300ms);
    commandDown();
    wait(250ms);
    EXPECT_EQ(take().count("show"), 1);
}

TEST_F(ActivationKeyDetectorTest, OnlyTheSecondQuickPressOfTwiceAndHoldAnnouncesThePanel)
{
    QList<bool> likely;
    QObject::connect(detector.get(), &ActivationKeyDetector::shortcutPanelLikely,
                     [&](bool isGlobal) { likely.append(isGlobal); });
    commandDown();
    allUp();
    EXPECT_TRUE(likely.isEmpty());
    wait(100ms);
    commandDown();
    EXPECT_EQ(likely, QList<bool>{true});
    allUp();

    // Inside Tavlen's own window, for the legend.
    wait(1s);
    detector->handleLocalEvent(flags(EventFlag::Command));
    detector->handleLocalEvent(flags(0));
    wait(100ms);
    detector->handleLocalEvent(flags(EventFlag::Command));
    EXPECT_EQ(likely, (QList<bool>{true, false}));
    detector->handleLocalEvent(flags(0));

    // Press and hold: every Command press starts the hold, most of them for other shortcuts,
    // so none is announced.
    defaults.setActivationKeyType(2);
    defaults.setKeyHoldingDelay(0.5);
    wait(1s);
    commandDown();
    wait(500ms);
    EXPECT_TRUE(take().contains("show"));
    EXPECT_EQ(likely.size(), 2);
}

TEST_F(ActivationKeyDetectorTest, ReleasingBeforeTheHoldDelayOpensNothing)
{
    tapThenPress();
    wait(200ms);
    allUp();
    wait(1s);
    EXPECT_FALSE(issued("show"));
    EXPECT_EQ(timers.pendingCount(), 0);
}

TEST_F(ActivationKeyDetectorTest, PressAndHoldOpensAfterExactlyTheDelayButNeverFromCommandShift)
{
    defaults.setActivationKeyType(2);
    defaults.setKeyHoldingDelay(0.75);
    commandDown();
    wait(749ms);
    EXPECT_FALSE(issued("show"));
    wait(1ms);
    EXPECT_TRUE(issued("show"));
    allUp();
    take();

    // Command-Shift pressed together, and Shift joining a held Command, both stay closed.
    wait(1s);
    detector->handleGlobalEvent(flags(EventFlag::Command | EventFlag::Shift, mac_keys::Shift));
    wait(2s);
    EXPECT_FALSE(issued("show"));
    EXPECT_FALSE(detector->lastCommandKeyPressTime().has_value());
    commandDown();
    wait(100ms);
    detector->handleGlobalEvent(flags(EventFlag::Command | EventFlag::Shift, mac_keys::Shift));
    wait(2s);
    EXPECT_FALSE(issued("show"));

    // Type 3 is not corrected and behaves as type 2.
    defaults.setActivationKeyType(3);
    allUp();
    commandDown();
    wait(750ms);
    EXPECT_TRUE(issued("show"));
}

TEST_F(ActivationKeyDetectorTest, TypingClosesAtOnceAndMakesTheNextPressAFirstPress)
{
    tapThenPress();
    wait(250ms);
    ASSERT_TRUE(issued("show"));

    detector->handleGlobalEvent({KeyEvent::Type::KeyDown, EventFlag::Command, LetterA});
    EXPECT_EQ(commands, QStringList{"close"}); // before the event loop runs
    EXPECT_EQ(detector->lastCommandKeyPressTime(), QDateTime::fromMSecsSinceEpoch(0, Qt::UTC));
    take();

    wait(50ms);
    commandDown();
    EXPECT_FALSE(detector->keyPressTimerPending());
    wait(1s);
    EXPECT_EQ(take(), QStringList{"close"});
}

TEST_F(ActivationKeyDetectorTest, FunctionAndOtherChordsResetTheGesture)
{
    for (const qint64 chord : {EventFlag::Function, EventFlag::Command | EventFlag::Option,
                               EventFlag::Command | EventFlag::Function}) {
        SCOPED_TRACE(chord);
        wait(1s);
        commandDown();
        allUp();
        wait(100ms);
        detector->handleGlobalEvent(flags(chord, mac_keys::Function));
        EXPECT_FALSE(detector->lastCommandKeyPressTime().has_value());
        EXPECT_TRUE(take().contains("close"));
        wait(100ms);
        commandDown();
        EXPECT_FALSE(detector->keyPressTimerPending()) << "a first press starts no timer";
        allUp();
    }

    // A chord that joins while the hold timer runs cancels it.
    wait(1s);
    tapThenPress();
    ASSERT_TRUE(detector->keyPressTimerPending());
    detector->handleGlobalEvent(flags(EventFlag::Command | EventFlag::Function, mac_keys::Function));
    EXPECT_FALSE(detector->keyPressTimerPending());
    wait(1s);
    EXPECT_FALSE(issued("show"));
}

TEST_F(ActivationKeyDetectorTest, ThreeQuickPressesTogglePersistentPanelAndFourthAndFifthToggleAgain)
{
    defaults.setActivationPersistentKeyType(1);
    commandDown(); // t = 0
    allUp();
    wait(200ms);
    commandDown(); // t = 200: also starts the hold timer, cancelled by the release
    const QDateTime secondPress = clock.now();
    allUp();
    wait(200ms);
    commandDown();                          // t = 400
    EXPECT_EQ(commands.count("toggle"), 1); // at once, after an immediate close
    EXPECT_EQ(commands.last(), "toggle");
    EXPECT_EQ(detector->keyCMDPressTimes(), 0);
    EXPECT_EQ(detector->lastCommandKeyPressTime(), secondPress);
    EXPECT_FALSE(detector->keyPressTimerPending());
    allUp();

    // Fourth less than 0.5 s after the second press counts 1, a fifth quick one toggles.
    wait(250ms);
    commandDown(); // t = 650
    EXPECT_EQ(detector->keyCMDPressTimes(), 1);
    allUp();
    wait(100ms);
    commandDown();
    allUp();
    const QStringList issuedCommands = take();
    EXPECT_EQ(issuedCommands.count("toggle"), 2);
    EXPECT_FALSE(issuedCommands.contains("show"));
}

TEST_F(ActivationKeyDetectorTest, ThirdPressLeavesTheTimestampAtTheSecond)
{
    defaults.setActivationPersistentKeyType(1);
    commandDown(); // 0
    allUp();
    wait(200ms);
    commandDown(); // 200
    allUp();
    wait(200ms);
    commandDown(); // 400: toggles
    allUp();
    wait(350ms);
    commandDown(); // 750: 0.55 s after the second press, so a first press again
    EXPECT_EQ(detector->keyCMDPressTimes(), 0);
    EXPECT_FALSE(detector->keyPressTimerPending());
    EXPECT_EQ(take().count("toggle"), 1);
}

TEST_F(ActivationKeyDetectorTest, PersistentGestureIsOffUnlessTypeOne)
{
    for (const int type : {0, 2}) {
        defaults.setActivationPersistentKeyType(type);
        wait(1s);
        for (int press = 0; press < 3; ++press) {
            commandDown();
            allUp();
            wait(100ms);
        }
        EXPECT_FALSE(issued("toggle")) << type;
    }
}

TEST_F(ActivationKeyDetectorTest, ControlThreeTimesOpensSettingsOnlyWhileTheIconIsHidden)
{
    auto tripleControl = [this](auto press) {
        wait(1s);
        for (int i = 0; i < 3; ++i) {
            press();
            wait(100ms);
            allUp();
        }
    };
    tripleControl([this] { controlDown(); });
    EXPECT_FALSE(issued("settings"));

    defaults.setHideMenuIcon(true);
    wait(1s);
    controlDown();
    allUp();
    wait(100ms);
    controlDown();
    allUp();
    wait(100ms);
    controlDown();
    EXPECT_EQ(commands.last(), "close");
    EXPECT_EQ(take().last(), "settings"); // scheduled, after the immediate close
    EXPECT_EQ(detector->keyCTRLPressTimes(), 0);

    // 0.5 s between presses starts over.
    wait(1s);
    for (int i = 0; i < 3; ++i) {
        controlDown();
        allUp();
        wait(500ms);
    }
    EXPECT_FALSE(issued("settings"));

    tripleControl([this] { detector->handleLocalEvent(flags(EventFlag::Control, mac_keys::Control)); });
    EXPECT_FALSE(issued("settings"));
}

TEST_F(ActivationKeyDetectorTest, ShortDelayOpensAtOnceUntilNormalised)
{
    defaults.setKeyHoldingDelay(0.05);
    tapThenPress();
    EXPECT_FALSE(detector->keyPressTimerPending());
    EXPECT_EQ(take().count("show"), 1);

    detector->normalizeActivationSettings();
    EXPECT_DOUBLE_EQ(defaults.keyHoldingDelay(), 0.25);
}

TEST_F(ActivationKeyDetectorTest, NormalisationRaisesOnlyWhatIsOutOfRange)
{
    struct Case {
        int type;
        double delay;
        int expectedType;
        double expectedDelay;
    };
    const Case cases[] = {
        {0, 1.5, 1, 0.25}, {-3, 0.0, 1, 0.25}, {1, 0.2, 1, 0.25}, {1, 0.3, 1, 0.3},
        {2, 0.25, 2, 0.5}, {2, 0.5, 2, 0.5},   {3, 0.1, 3, 0.1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " " << c.delay);
        defaults.setActivationKeyType(c.type);
        defaults.setKeyHoldingDelay(c.delay);
        detector->normalizeActivationSettings();
        EXPECT_EQ(defaults.activationKeyType(), c.expectedType);
        EXPECT_DOUBLE_EQ(defaults.keyHoldingDelay(), c.expectedDelay);
    }

    // Nothing written when nothing is out of range, so the change signal does not loop.
    int writes = 0;
    QObject::connect(&store, &tavlen::UserDefaultsStore::valueChanged, [&writes] { ++writes; });
    detector->normalizeActivationSettings();
    EXPECT_EQ(writes, 0);

    // A never-written store reads as the defaults the settings show, which are in range: it is
    // left unwritten.
    tavlen::fake::FakeUserDefaults empty;
    int freshWrites = 0;
    QObject::connect(&empty, &tavlen::UserDefaultsStore::valueChanged, [&freshWrites] { ++freshWrites; });
    ActivationKeyDetector fresh(empty, clock, timers);
    fresh.normalizeActivationSettings();
    EXPECT_EQ(freshWrites, 0);
    EXPECT_EQ(UserDefaults(empty).activationKeyType(), 1);
    EXPECT_DOUBLE_EQ(UserDefaults(empty).keyHoldingDelay(), 0.5);

    defaults.setActivationKeyType(2);
    defaults.setKeyHoldingDelay(std::numeric_limits<double>::quiet_NaN());
    detector->normalizeActivationSettings();
    EXPECT_DOUBLE_EQ(defaults.keyHoldingDelay(), 0.5);
}

TEST_F(ActivationKeyDetectorTest, UnusableDelaysStillGiveAWellDefinedTimer)
{
    defaults.setActivationKeyType(3); // never corrected, so these reach the timer
    for (const double delay : {-1.0, std::numeric_limits<double>::quiet_NaN(), 1e300}) {
        SCOPED_TRACE(delay);
        defaults.setKeyHoldingDelay(delay);
        allUp();
        take();
        commandDown();
        EXPECT_TRUE(detector->keyPressTimerPending());
        wait(0ms);
        // A negative delay opens at once; one that is not a number reads as the default half
        // second, and an absurd one waits its longest.
        EXPECT_EQ(take().contains("show"), delay < 0.0);
    }
}

TEST_F(ActivationKeyDetectorTest, LocalHandlerOpensLocallyKeepsItsOwnCountAndIgnoresControl)
{
    defaults.setActivationPersistentKeyType(1);
    auto localCommand = [this] { detector->handleLocalEvent(flags(EventFlag::Command)); };
    auto localUp = [this] { detector->handleLocalEvent(flags(0)); };

    // Two global presses bring the global count to 1; the local second-press resets it.
    tapThenPress();
    allUp();
    ASSERT_EQ(detector->keyCMDPressTimes(), 1);
    wait(100ms);
    localCommand();
    EXPECT_EQ(detector->keyCMDPressTimesLocal(), 1);
    EXPECT_EQ(detector->keyCMDPressTimes(), 0);
    wait(250ms);
    EXPECT_EQ(take().last(), "show-local");

    // Keys close at once but leave the counts alone.
    detector->handleLocalEvent({KeyEvent::Type::KeyUp, 0, LetterA});
    EXPECT_EQ(commands, QStringList{"close"});
    EXPECT_EQ(detector->keyCMDPressTimesLocal(), 1);
    take();

    // Control inside Tavlen's windows is just another chord: it forgets the Command press.
    wait(1s);
    localCommand();
    localUp();
    wait(100ms);
    detector->handleLocalEvent(flags(EventFlag::Control, mac_keys::Control));
    EXPECT_FALSE(detector->lastCommandKeyPressTime().has_value());
    wait(100ms);
    localCommand();
    EXPECT_FALSE(detector->keyPressTimerPending());

    // Three quick local presses toggle too.
    localUp();
    wait(100ms);
    localCommand();
    localUp();
    wait(100ms);
    localCommand();
    EXPECT_EQ(take().count("toggle"), 1);
}

TEST_F(ActivationKeyDetectorTest, PageKeysInTavlensWindowsScrollThePanelAndCloseNothing)
{
    const auto key = [](KeyEvent::Type type, quint16 code) { return KeyEvent{type, 0, code}; };
    using tavlen::PanelScroll;

    // Opened locally by the gesture, the panel stays while the sheet is paged, with Command held.
    commandDown();
    allUp();
    wait(100ms);
    detector->handleLocalEvent(flags(EventFlag::Command));
    wait(250ms);
    ASSERT_EQ(take().last(), "show-local");
    for (const quint16 code : {mac_keys::PageDown, mac_keys::PageUp, mac_keys::End, mac_keys::Home}) {
        detector->handleLocalEvent({KeyEvent::Type::KeyDown, EventFlag::Command, code});
        detector->handleLocalEvent(key(KeyEvent::Type::KeyUp, code));
    }
    EXPECT_EQ(take(), (QStringList{QStringLiteral("scroll %1").arg(static_cast<int>(PanelScroll::PageDown)),
                                   QStringLiteral("scroll %1").arg(static_cast<int>(PanelScroll::PageUp)),
                                   QStringLiteral("scroll %1").arg(static_cast<int>(PanelScroll::End)),
                                   QStringLiteral("scroll %1").arg(static_cast<int>(PanelScroll::Home))}));

    // Other keys still close; in another application the page keys are that application's.
    detector->handleLocalEvent(key(KeyEvent::Type::KeyDown, LetterA));
    EXPECT_EQ(take(), QStringList{"close"});
    detector->handleGlobalEvent(key(KeyEvent::Type::KeyDown, mac_keys::PageDown));
    EXPECT_EQ(take(), QStringList{"close"});
}

TEST_F(ActivationKeyDetectorTest, LocalPressAndHoldResetsTheGlobalCountWhenItFires)
{
    defaults.setActivationKeyType(2);
    defaults.setKeyHoldingDelay(0.5);
    defaults.setActivationPersistentKeyType(1);
    tapThenPress();
    allUp();
    ASSERT_EQ(detector->keyCMDPressTimes(), 1);
    wait(100ms);
    detector->handleLocalEvent(flags(EventFlag::Command));
    EXPECT_EQ(detector->keyCMDPressTimes(), 1);
    wait(500ms);
    EXPECT_EQ(detector->keyCMDPressTimes(), 0);
    EXPECT_EQ(take().last(), "show-local");
}

TEST_F(ActivationKeyDetectorTest, CommandsPendingWhenTheDetectorGoesAwayAreDropped)
{
    defaults.setKeyHoldingDelay(0.05);
    tapThenPress(); // schedules an immediate open
    allUp();        // and a close
    commands.clear();
    detector.reset();
    wait(1s);
    EXPECT_TRUE(commands.isEmpty());
    EXPECT_EQ(timers.pendingCount(), 0);
}

TEST_F(ActivationKeyDetectorTest, MonitorsDeliverToTheirHandlerOnceAndStopWhenRemoved)
{
    tavlen::fake::FakeKeyEventSource global;
    tavlen::fake::FakeKeyEventSource local;
    detector->installEventMonitors(global, local);
    detector->installEventMonitors(global, local); // reinstalled after a settings change
    EXPECT_TRUE(detector->eventMonitorsInstalled());

    global.deliver({KeyEvent::Type::KeyDown, 0, LetterA});
    EXPECT_EQ(take(), QStringList{"close"});

    global.deliver(flags(EventFlag::Command));
    global.deliver(flags(0));
    wait(100ms);
    local.deliver(flags(EventFlag::Command));
    wait(250ms);
    EXPECT_EQ(take().last(), "show-local");

    detector->removeEventMonitors();
    EXPECT_FALSE(detector->eventMonitorsInstalled());
    global.deliver({KeyEvent::Type::KeyDown, 0, LetterA});
    local.deliver({KeyEvent::Type::KeyDown, 0, LetterA});
    EXPECT_TRUE(take().isEmpty());
}

} // namespace
