#pragma once

#include "platform/KeyEvent.h"
#include "platform/KeyInput.h"

#include <QObject>
#include <QString>

namespace tavlen {

class KeyboardLayout;

// What the key recorder of the custom shortcut editor has seen. While recording, it takes every
// key event the recorder window receives: a modifier key pressed on its own works as a latch
// (once marks it, again clears it), modifiers pressed together set the marks to exactly that
// chord, and the first key that is not a modifier ends the recording with the marks held so far.
// Every key is accepted, Escape included; modifier keys alone never end a recording.
class KeyRecorder : public QObject {
    Q_OBJECT
public:
    explicit KeyRecorder(const KeyboardLayout& keyboard, QObject* parent = nullptr);

    bool isRecording() const { return m_isRecording; }
    bool isKeyPressed() const { return m_isKeyPressed; }
    // The five modifier marks; its key code is never set.
    const KeyInput& marks() const { return m_marks; }
    // How the recorded key is shown; empty before a key was pressed.
    const QString& keyPressed() const { return m_keyPressed; }
    // The recorded combination: no key and no modifiers until a key was pressed.
    const KeyInput& hotkeyPressed() const { return m_hotkeyPressed; }

    // "Apply" needs a recorded key and no recording in progress; "Cancel" only the latter.
    bool canApply() const { return !m_isRecording && m_isKeyPressed; }
    bool canCancel() const { return !m_isRecording; }

    // The "Record" / "Stop recording" button.
    void toggleRecording();
    // Starts from cleared marks and no key, whatever an earlier recording left.
    void startRecording();
    // Ends a recording without recording anything.
    void stopRecording();

    // One event from the recorder window. Returns whether the recorder took it, which it does
    // with every event while recording and with none otherwise.
    bool handle(const KeyEvent& event);

    // A recorded key as the recorder views show it: its symbol or function-key name, else the
    // character it types in the current layout, else "??".
    static QString keyText(quint16 keyCode, bool currentLayout, const KeyboardLayout& keyboard);

Q_SIGNALS:
    // After any of the state above changed.
    void changed();
    // When a recording starts or stops, so that the window can start or stop listening.
    void recordingChanged(bool recording);

private:
    void flagsChanged(qint64 flags);
    void keyDown(quint16 keyCode);
    void setRecording(bool recording);

    const KeyboardLayout& m_keyboard;
    bool m_isRecording = false;
    bool m_isKeyPressed = false;
    KeyInput m_marks;
    QString m_keyPressed;
    KeyInput m_hotkeyPressed;
    // The modifiers held after the last flags change, to tell a release from a press.
    qint64 m_heldFlags = 0;
};

} // namespace tavlen
