#include "core/PanelScroll.h"

namespace tavlen {

namespace {
// The navigation block's keys in the macOS numbering, the code space of every KeyEvent.
constexpr quint16 HomeKey = 115;
constexpr quint16 PageUpKey = 116;
constexpr quint16 EndKey = 119;
constexpr quint16 PageDownKey = 121;
} // namespace

std::optional<PanelScroll> panelScrollForKey(quint16 keyCode)
{
    switch (keyCode) {
    case PageUpKey:
        return PanelScroll::PageUp;
    case PageDownKey:
        return PanelScroll::PageDown;
    case HomeKey:
        return PanelScroll::Home;
    case EndKey:
        return PanelScroll::End;
    default:
        return std::nullopt;
    }
}

} // namespace tavlen
