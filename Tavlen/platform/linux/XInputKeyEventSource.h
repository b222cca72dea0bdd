#pragma once

#include "platform/KeyEventSource.h"
#include "platform/linux/RawKeyTranslator.h"

#include <QByteArray>
#include <memory>

class QSocketNotifier;

namespace tavlen::linux_platform {

// Every key pressed or released anywhere on the X display, from the XInput 2 raw key events on
// the root window: it sees keys without grabbing them, so the applications still get them.
// Keys arrive as macOS virtual key codes; raw events carry no modifier state, so
// RawKeyTranslator works the flags out. Runs on its own connection, read from the Qt event loop.
class XInputKeyEventSource final : public KeyEventSource {
    Q_OBJECT
public:
    // `displayName` as XOpenDisplay takes it; empty for $DISPLAY.
    explicit XInputKeyEventSource(const QByteArray& displayName = {}, QObject* parent = nullptr);
    ~XInputKeyEventSource() override;

    // Connects and starts listening. False, and no events ever, without an X display (a Wayland
    // session without Xwayland) or without XInput 2.2.
    bool start();
    void stop();
    bool isListening() const;

private:
    struct Connection;

    void readEvents();
    void handleRawKey(quint32 x11KeyCode, bool pressed);

    QByteArray m_displayName;
    std::unique_ptr<Connection> m_connection;
    std::unique_ptr<QSocketNotifier> m_notifier;
    RawKeyTranslator m_translator;
};

} // namespace tavlen::linux_platform
