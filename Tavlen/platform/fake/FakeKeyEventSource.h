#pragma once

#include "platform/KeyEventSource.h"

namespace tavlen::fake {

// Key events typed by a test.
class FakeKeyEventSource final : public KeyEventSource {
    Q_OBJECT
public:
    using KeyEventSource::KeyEventSource;

    void deliver(const KeyEvent& event) { Q_EMIT keyEvent(event); }
};

} // namespace tavlen::fake
