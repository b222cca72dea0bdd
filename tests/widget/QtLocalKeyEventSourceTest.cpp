#include "core/windows/QtLocalKeyEventSource.h"

#include "platform/MacKeys.h"
#include "platform/fake/FakeKeyboardLayout.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWindow>
#include <gtest/gtest.h>
#include <vector>

using namespace tavlen;

namespace {

// X11 keycodes (evdev + 8) and the macOS codes they stand for.
constexpr quint32 superLeftX11 = 125 + 8;
constexpr quint32 letterAX11 = 30 + 8;
constexpr quint16 letterAMac = 0;

// A keyboard that knows the two keys the tests type.
const KeyboardLayout& keyboard()
{
    static const fake::FakeKeyboardLayout layout = [] {
        fake::FakeKeyboardLayout known;
        known.setScanCode(superLeftX11, mac_keys::Command);
        known.setScanCode(letterAX11, letterAMac);
        return known;
    }();
    return layout;
}

constexpr qint64 Command = 0x100000;
constexpr qint64 Control = 0x40000;
constexpr qint64 Shift = 0x20000;

QKeyEvent keyEvent(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, quint32 scanCode,
                   bool autoRepeat = false)
{
    return QKeyEvent(type, key, modifiers, scanCode, 0, 0, QString(), autoRepeat);
}

} // namespace

TEST(QtLocalKeyEventSourceTest, ModifierKeysChangeTheFlagsAndOtherKeysGoDownAndUp)
{
    using Type = KeyEvent::Type;
    // The platform reports the modifiers held before the key moved.
    EXPECT_EQ(QtLocalKeyEventSource::translate(
                  keyEvent(QEvent::KeyPress, Qt::Key_Meta, Qt::NoModifier, superLeftX11), keyboard()),
              (KeyEvent{Type::FlagsChanged, Command, mac_keys::Command}));
    EXPECT_EQ(QtLocalKeyEventSource::translate(
                  keyEvent(QEvent::KeyPress, Qt::Key_Super_L, Qt::ShiftModifier, superLeftX11), keyboard()),
              (KeyEvent{Type::FlagsChanged, Command | Shift, mac_keys::Command}));
    EXPECT_EQ(QtLocalKeyEventSource::translate(keyEvent(QEvent::KeyRelease, Qt::Key_Meta,
                                                        Qt::MetaModifier | Qt::ControlModifier, superLeftX11),
                                               keyboard()),
              (KeyEvent{Type::FlagsChanged, Control, mac_keys::Command}));
    // A held modifier repeats its press; the flags stay as they are.
    EXPECT_EQ(QtLocalKeyEventSource::translate(
                  keyEvent(QEvent::KeyPress, Qt::Key_Meta, Qt::MetaModifier, superLeftX11, true), keyboard()),
              std::nullopt);

    EXPECT_EQ(QtLocalKeyEventSource::translate(
                  keyEvent(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, letterAX11), keyboard()),
              (KeyEvent{Type::KeyDown, Control, letterAMac}));
    EXPECT_EQ(QtLocalKeyEventSource::translate(
                  keyEvent(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, letterAX11), keyboard()),
              (KeyEvent{Type::KeyUp, 0, letterAMac}));
    // Without a scan code (synthesized keys) the key has no code.
    EXPECT_EQ(QtLocalKeyEventSource::translate(keyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 0),
                                               keyboard()),
              (KeyEvent{Type::KeyDown, 0, std::nullopt}));
}

TEST(QtLocalKeyEventSourceTest, EachKeyOfAWindowIsReportedOnce)
{
    QtLocalKeyEventSource source(keyboard());
    std::vector<KeyEvent> seen;
    QObject::connect(&source, &KeyEventSource::keyEvent,
                     [&seen](const KeyEvent& event) { seen.push_back(event); });

    // The window passes the key on to its focus widget, past the filter a second time.
    QLineEdit field;
    field.setAttribute(Qt::WA_DontShowOnScreen);
    field.show();
    field.setFocus();
    ASSERT_NE(field.windowHandle(), nullptr);
    QKeyEvent press = keyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, letterAX11);
    QCoreApplication::sendEvent(field.windowHandle(), &press);
    ASSERT_EQ(seen.size(), 1U);
    EXPECT_EQ(seen.front().type, KeyEvent::Type::KeyDown);

    // Keys sent to a widget directly did not come from a window.
    QKeyEvent release = keyEvent(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, letterAX11);
    QCoreApplication::sendEvent(&field, &release);
    EXPECT_EQ(seen.size(), 1U);
}
