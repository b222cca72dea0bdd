#include "settings/KeyRecorder.h"

#include "harvest/ShortcutNotation.h"

#include <bit>
#include <utility>

namespace tavlen {

namespace {

constexpr qint64 ModifierFlags =
    EventFlag::Command | EventFlag::Control | EventFlag::Option | EventFlag::Shift;
constexpr qint64 AllFlags = ModifierFlags | EventFlag::Function;

// The mark that stands for one flag.
bool& markOf(KeyInput& marks, qint64 flag)
{
    switch (flag) {
    case EventFlag::Command:
        return marks.isCommand;
    case EventFlag::Control:
        return marks.isControl;
    case EventFlag::Option:
        return marks.isOption;
    case EventFlag::Shift:
        return marks.isShift;
    default:
        return marks.isFunction;
    }
}

} // namespace

KeyRecorder::KeyRecorder(const KeyboardLayout& keyboard, QObject* parent)
    : QObject(parent), m_keyboard(keyboard)
{}

void KeyRecorder::toggleRecording()
{
    if (m_isRecording)
        stopRecording();
    else
        startRecording();
}

void KeyRecorder::startRecording()
{
    m_marks = KeyInput{};
    m_isKeyPressed = false;
    m_keyPressed.clear();
    m_hotkeyPressed = KeyInput{};
    m_heldFlags = 0;
    setRecording(true);
}

void KeyRecorder::stopRecording()
{
    setRecording(false);
}

bool KeyRecorder::handle(const KeyEvent& event)
{
    if (!m_isRecording)
        return false;
    switch (event.type) {
    case KeyEvent::Type::FlagsChanged:
        flagsChanged(event.modifierFlags & AllFlags);
        break;
    case KeyEvent::Type::KeyDown:
        // A key outside the code space could be neither stored nor sent: keep listening.
        if (event.keyCode)
            keyDown(*event.keyCode);
        break;
    case KeyEvent::Type::KeyUp:
        break;
    }
    return true;
}

void KeyRecorder::flagsChanged(qint64 flags)
{
    const qint64 previous = std::exchange(m_heldFlags, flags);
    // Letting go of modifiers changes no mark. Judging a release by "no flag left" alone would
    // take the release of one key of a chord for a press of the other one still held, and
    // flip that one's mark: Command and Option released one after the other would record
    // Option alone.
    if (flags == 0 || (flags & ~previous) == 0)
        return;

    const qint64 modifiers = flags & ModifierFlags;
    if (!(flags & EventFlag::Function) && std::popcount(static_cast<quint64>(modifiers)) == 1) {
        bool& mark = markOf(m_marks, modifiers);
        mark = !mark;
    } else if (flags == EventFlag::Function) {
        m_marks.isFunction = !m_marks.isFunction;
    } else {
        m_marks = modifiersOfEventFlags(flags);
    }
    Q_EMIT changed();
}

void KeyRecorder::keyDown(quint16 keyCode)
{
    m_isKeyPressed = true;
    m_hotkeyPressed = m_marks;
    m_hotkeyPressed.keyCode = keyCode;
    m_keyPressed = keyText(keyCode, true, m_keyboard);
    setRecording(false);
}

void KeyRecorder::setRecording(bool recording)
{
    const bool wasRecording = std::exchange(m_isRecording, recording);
    if (wasRecording != recording)
        Q_EMIT recordingChanged(recording);
    Q_EMIT changed();
}

QString KeyRecorder::keyText(quint16 keyCode, bool currentLayout, const KeyboardLayout& keyboard)
{
    const QString symbol = notation::specialKeySymbol(keyCode);
    if (!symbol.isEmpty())
        return symbol;
    return notation::layoutCharacter(keyCode, currentLayout, keyboard).value_or(QStringLiteral("??"));
}

} // namespace tavlen
