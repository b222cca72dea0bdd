#pragma once

#include <QString>

namespace tavlen {

// The stored flags of one harvested menu element, keyed by its element key.
struct HotkeyState {
    QString value; // the element key (see ElementKey.h)
    bool isBookmarked = false;
    bool isHidden = false;

    friend bool operator==(const HotkeyState&, const HotkeyState&) = default;
};

} // namespace tavlen
