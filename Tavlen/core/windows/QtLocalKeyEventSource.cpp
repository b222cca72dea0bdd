#include "core/windows/QtLocalKeyEventSource.h"

#include "platform/KeyInput.h"
#include "platform/KeyboardLayout.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <algorithm>
#include <initializer_list>

namespace tavlen {

namespace {

// The modifiers as Qt names them, and the keys that are each one.
struct Modifier {
    Qt::KeyboardModifier qtModifier;
    qint64 flag;
    std::initializer_list<int> keys;
};

const Modifier modifiers[] = {
    {Qt::MetaModifier, EventFlag::Command, {Qt::Key_Meta, Qt::Key_Super_L, Qt::Key_Super_R}},
    {Qt::ControlModifier, EventFlag::Control, {Qt::Key_Control}},
    {Qt::AltModifier, EventFlag::Option, {Qt::Key_Alt, Qt::Key_AltGr}},
    {Qt::ShiftModifier, EventFlag::Shift, {Qt::Key_Shift}},
};

qint64 flagsOf(Qt::KeyboardModifiers held)
{
    qint64 flags = 0;
    for (const Modifier& modifier : modifiers) {
        if (held & modifier.qtModifier)
            flags |= modifier.flag;
    }
    return flags;
}

// The flag a modifier key stands for; 0 for any other key.
qint64 modifierFlag(int key)
{
    for (const Modifier& modifier : modifiers) {
        if (std::ranges::find(modifier.keys, key) != modifier.keys.end())
            return modifier.flag;
    }
    return 0;
}

} // namespace

QtLocalKeyEventSource::QtLocalKeyEventSource(const KeyboardLayout& keyboard, QObject* parent)
    : KeyEventSource(parent), m_keyboard(keyboard)
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

QtLocalKeyEventSource::~QtLocalKeyEventSource()
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

std::optional<KeyEvent> QtLocalKeyEventSource::translate(const QKeyEvent& event,
                                                         const KeyboardLayout& keyboard)
{
    const bool pressed = event.type() == QEvent::KeyPress;
    if (!pressed && event.type() != QEvent::KeyRelease)
        return std::nullopt;
    const std::optional<quint16> keyCode =
        event.nativeScanCode() != 0 ? keyboard.virtualKeyOfScanCode(event.nativeScanCode()) : std::nullopt;
    // The modifiers as the platform reported them: QKeyEvent::modifiers() flips the key's own
    // modifier on some keys but not on others (Super).
    qint64 flags = flagsOf(event.QInputEvent::modifiers());
    const qint64 ownFlag = modifierFlag(event.key());
    if (ownFlag == 0)
        return KeyEvent{pressed ? KeyEvent::Type::KeyDown : KeyEvent::Type::KeyUp, flags, keyCode};
    // A held modifier repeats its press without changing anything.
    if (event.isAutoRepeat())
        return std::nullopt;
    flags = pressed ? (flags | ownFlag) : (flags & ~ownFlag);
    return KeyEvent{KeyEvent::Type::FlagsChanged, flags, keyCode};
}

bool QtLocalKeyEventSource::eventFilter(QObject* watched, QEvent* event)
{
    // Every key reaches its window first and is then handed on to the widgets, each step
    // passing this filter again: the window's copy is the one taken.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        watched->isWindowType()) {
        if (const std::optional<KeyEvent> translated = translate(*static_cast<QKeyEvent*>(event), m_keyboard))
            Q_EMIT keyEvent(*translated);
    }
    return false;
}

} // namespace tavlen
