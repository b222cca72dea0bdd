#pragma once

#include "platform/KeyInput.h"

#include <QString>
#include <optional>

namespace tavlen {

// One custom shortcut as read from the store.
struct CustomHotkeyRow {
    QString uuid; // upper-case UUID text
    QString title;
    QString value;                // the trigger text the user sees
    std::optional<KeyInput> keys; // none when no key was recorded
    bool isEnabled = false;
    bool isBookmarked = false;

    friend bool operator==(const CustomHotkeyRow&, const CustomHotkeyRow&) = default;
};

} // namespace tavlen
