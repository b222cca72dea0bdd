#include "core/PanelScroll.h"

#include "platform/MacKeys.h"

namespace tavlen {

namespace {

struct KeyScroll {
    quint16 keyCode;
    PanelScroll scroll;
};

constexpr KeyScroll keyScrolls[] = {
    {mac_keys::PageUp, PanelScroll::PageUp},
    {mac_keys::PageDown, PanelScroll::PageDown},
    {mac_keys::Home, PanelScroll::Home},
    {mac_keys::End, PanelScroll::End},
};

} // namespace

std::optional<PanelScroll> panelScrollForKey(quint16 keyCode)
{
    for (const KeyScroll& entry : keyScrolls) {
        if (entry.keyCode == keyCode)
            return entry.scroll;
    }
    return std::nullopt;
}

} // namespace tavlen
