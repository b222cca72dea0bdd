#include "settings/KeyRecorder.h"

#include "harvest/ShortcutNotation.h"
#include "platform/MacKeys.h"
#include "platform/fake/FakeKeyboardLayout.h"

#include <gtest/gtest.h>

using namespace tavlen;

namespace {

// macOS virtual key codes of letters (MacKeys.h names only the keys without a character).
constexpr quint16 K = 40;
constexpr quint16 P = 35;

KeyEvent flags(qint64 held)
{
    return KeyEvent{KeyEvent::Type::FlagsChanged, held, std::nullopt};
}

KeyEvent keyDown(std::optional<quint16> code, qint64 held = 0)
{
    return KeyEvent{KeyEvent::Type::KeyDown, held, code};
}

// A recorded combination is what the store reads back from the key code and flags it saves.
KeyInput combination(quint16 code, qint64 held)
{
    return *notation::keyInputFromStore(code, held);
}

class KeyRecorderTest : public ::testing::Test {
protected:
    // A modifier key pressed and let go again.
    void tap(qint64 flag)
    {
        recorder.handle(flags(flag));
        recorder.handle(flags(0));
    }

    fake::FakeKeyboardLayout keyboard;
    KeyRecorder recorder{keyboard};
};

TEST_F(KeyRecorderTest, SingleModifiersLatchAndASecondTapClearsThem)
{
    recorder.startRecording();
    tap(EventFlag::Command);
    tap(EventFlag::Shift);
    EXPECT_TRUE(recorder.marks().isCommand);
    recorder.handle(keyDown(K));
    EXPECT_EQ(recorder.hotkeyPressed(), combination(K, EventFlag::Command | EventFlag::Shift));
    EXPECT_EQ(recorder.keyPressed(), QStringLiteral("K"));

    recorder.startRecording();
    tap(EventFlag::Command);
    tap(EventFlag::Command);
    recorder.handle(keyDown(K));
    EXPECT_EQ(recorder.hotkeyPressed(), combination(K, 0));
}

TEST_F(KeyRecorderTest, ModifiersHeldTogetherSetExactlyThatChord)
{
    recorder.startRecording();
    tap(EventFlag::Shift);
    recorder.handle(flags(EventFlag::Command));
    recorder.handle(flags(EventFlag::Command | EventFlag::Option));
    recorder.handle(keyDown(P, EventFlag::Command | EventFlag::Option));
    // The chord replaced the Shift latched before it.
    EXPECT_EQ(recorder.hotkeyPressed(), combination(P, EventFlag::Command | EventFlag::Option));
}

TEST_F(KeyRecorderTest, LettingGoOfAChordKeyByKeyChangesNoMark)
{
    recorder.startRecording();
    recorder.handle(flags(EventFlag::Command));
    recorder.handle(flags(EventFlag::Command | EventFlag::Option));
    // Option let go first: Command alone is still held, which is no new press of Command.
    recorder.handle(flags(EventFlag::Command));
    recorder.handle(flags(0));
    recorder.handle(keyDown(P));
    EXPECT_EQ(recorder.hotkeyPressed(), combination(P, EventFlag::Command | EventFlag::Option));
}

TEST_F(KeyRecorderTest, FunctionLatchesAloneAndJoinsChords)
{
    recorder.startRecording();
    tap(EventFlag::Function);
    EXPECT_TRUE(recorder.marks().isFunction);
    tap(EventFlag::Function);
    EXPECT_FALSE(recorder.marks().isFunction);
    recorder.handle(flags(EventFlag::Function | EventFlag::Control));
    EXPECT_TRUE(recorder.marks().isFunction);
    EXPECT_TRUE(recorder.marks().isControl);
    EXPECT_FALSE(recorder.marks().isCommand);
}

TEST_F(KeyRecorderTest, EscapeIsRecordedLikeAnyOtherKey)
{
    recorder.startRecording();
    EXPECT_TRUE(recorder.handle(keyDown(mac_keys::Escape)));
    EXPECT_FALSE(recorder.isRecording());
    EXPECT_TRUE(recorder.isKeyPressed());
    EXPECT_EQ(recorder.hotkeyPressed(), combination(mac_keys::Escape, 0));
    EXPECT_EQ(recorder.keyPressed(), QStringLiteral("⎋"));
}

TEST_F(KeyRecorderTest, ApplyWaitsForAKeyAndTheEndOfTheRecording)
{
    EXPECT_FALSE(recorder.canApply());
    EXPECT_TRUE(recorder.canCancel());
    recorder.startRecording();
    EXPECT_FALSE(recorder.canApply());
    EXPECT_FALSE(recorder.canCancel());
    tap(EventFlag::Command);
    EXPECT_FALSE(recorder.canApply()) << "a modifier alone ends nothing";
    EXPECT_TRUE(recorder.isRecording());

    recorder.handle(keyDown(mac_keys::Return));
    EXPECT_TRUE(recorder.canApply());
    EXPECT_TRUE(recorder.canCancel());

    // "Record" again throws the key away; stopping without a key leaves nothing to apply.
    recorder.toggleRecording();
    EXPECT_TRUE(recorder.isRecording());
    EXPECT_EQ(recorder.keyPressed(), QString());
    EXPECT_EQ(recorder.hotkeyPressed(), KeyInput{});
    EXPECT_FALSE(recorder.marks().isCommand);
    recorder.toggleRecording();
    EXPECT_FALSE(recorder.isRecording());
    EXPECT_FALSE(recorder.canApply());
}

TEST_F(KeyRecorderTest, TakesEventsOnlyWhileRecording)
{
    EXPECT_FALSE(recorder.handle(flags(EventFlag::Command)));
    EXPECT_FALSE(recorder.handle(keyDown(K)));
    EXPECT_FALSE(recorder.isKeyPressed());
    EXPECT_FALSE(recorder.marks().isCommand);

    int recordingChanges = 0;
    QObject::connect(&recorder, &KeyRecorder::recordingChanged, [&recordingChanges] { ++recordingChanges; });
    recorder.startRecording();
    // A key outside the code space is taken but ends nothing.
    EXPECT_TRUE(recorder.handle(keyDown(std::nullopt)));
    EXPECT_TRUE(recorder.handle(KeyEvent{KeyEvent::Type::KeyUp, 0, K}));
    EXPECT_TRUE(recorder.isRecording());
    recorder.handle(keyDown(K));
    EXPECT_EQ(recordingChanges, 2);
}

TEST_F(KeyRecorderTest, KeyTextFollowsTheLayoutAndFallsBackToQuestionMarks)
{
    keyboard.setCurrent(fake::FakeKeyboardLayout::Layout::German);
    EXPECT_EQ(KeyRecorder::keyText(16, true, keyboard), QStringLiteral("Z"));
    EXPECT_EQ(KeyRecorder::keyText(16, false, keyboard), QStringLiteral("Y"));
    EXPECT_EQ(KeyRecorder::keyText(122, true, keyboard), QStringLiteral("F1"));
    EXPECT_EQ(KeyRecorder::keyText(mac_keys::Command, true, keyboard), QStringLiteral("??"));

    // The recorder names keys after the layout in use.
    recorder.startRecording();
    recorder.handle(keyDown(16));
    EXPECT_EQ(recorder.keyPressed(), QStringLiteral("Z"));
}

} // namespace
