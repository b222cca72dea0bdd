#pragma once

#include "platform/KeyEventSource.h"

class QKeyEvent;

namespace tavlen {
class KeyboardLayout;
} // namespace tavlen

namespace tavlen {

// The keys typed into Tavlen's own windows, from Qt's key events (an application-wide event
// filter; nothing is consumed). It stands in for the local half of the X11 key source where
// that is missing (Wayland). Modifier keys going down or up are FlagsChanged events carrying
// the flags once the key has moved: Super/Meta is Command, Alt is Option.
class QtLocalKeyEventSource final : public KeyEventSource {
    Q_OBJECT
public:
    // `keyboard` names the keys by their scan codes; it must outlive the source.
    explicit QtLocalKeyEventSource(const KeyboardLayout& keyboard, QObject* parent = nullptr);
    ~QtLocalKeyEventSource() override;

    // The event as the gestures see it; none for events they have no use for.
    static std::optional<KeyEvent> translate(const QKeyEvent& event, const KeyboardLayout& keyboard);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const KeyboardLayout& m_keyboard;
};

} // namespace tavlen
