#include "core/windows/QtLocalKeyEventSource.h"

#include "platform/KeyInput.h"
#include "platform/KeyboardLayout.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace tavlen {

namespace {

qint64 flagsOf(Qt::KeyboardModifiers modifiers)
{
    qint64 flags = 0;
    if (modifiers & Qt::MetaModifier)
        flags |= EventFlag::Command;
    if (modifiers & Qt::ControlModifier)
        flags |= EventFlag::Control;
    if (modifiers & Qt::AltModifier)
        flags |= EventFlag::Option;
    if (modifiers & Qt::ShiftModifier)
        flags |= EventFlag::Shift;
    return flags;
}

// The flag a modifier key stands for; 0 for any other key.
qint64 modifierFlag(int key)
{
    switch (key) {
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return EventFlag::Command;
    case Qt::Key_Control:
        return EventFlag::Control;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return EventFlag::Option;
    case Qt::Key_Shift:
        return EventFlag::Shift;
    default:
        return 0;
    }
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
