#pragma once

#include "harvest/Hotkey.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace tavlen {

class KeyboardLayout;
struct RowServices;

// A key combination to type: a macOS virtual key code (Tavlen's code space) and the event-flag
// mask of its modifiers.
struct TypedKey {
    quint16 macVirtualKey = 0;
    qint64 eventFlags = 0;

    friend bool operator==(const TypedKey&, const TypedKey&) = default;
};

// How long after asking a background application to come to the front its keys are typed.
inline constexpr int ACTIVATION_DELAY_MS = 500;

// Types a key combination into an application. "global" means whatever application is in front.
// Otherwise the first running application with that id gets it (nothing when none runs): at
// once when it is in front, else it is asked to come forward and the key follows
// ACTIVATION_DELAY_MS later, only if that request was made. The delayed typing needs nothing
// but the services.
void typeShortcut(const RowServices& services, const QString& applicationIdentifier, TypedKey key);

// The key that types a key equivalent read from elsewhere than a menu (where pressing the element
// does the work): a named key by its own code, a character by the key that types it in the
// current layout, else in the first Latin one. None when no key types it.
std::optional<TypedKey> typedKeyOf(const Hotkey& hotkey, const KeyboardLayout& layout);

} // namespace tavlen
