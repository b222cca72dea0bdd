#pragma once

#include "platform/KeyEvent.h"

#include <QObject>

namespace tavlen {

// Delivers keyboard events, in the order they happened, on the main thread. The global source
// sees keys typed into any application without taking them away; the local one sees keys typed
// into Tavlen's own windows and never consumes them either.
class KeyEventSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~KeyEventSource() override = default;

Q_SIGNALS:
    void keyEvent(const tavlen::KeyEvent& event);
};

} // namespace tavlen
