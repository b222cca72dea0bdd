#pragma once

#include <QtGlobal>
#include <optional>

namespace tavlen {

// How far a key asks an open panel's sheet to move: a page up or down, or to either end.
enum class PanelScroll { PageUp, PageDown, Home, End };

// The step a key asks for (a macOS virtual key code); none for every other key.
std::optional<PanelScroll> panelScrollForKey(quint16 keyCode);

} // namespace tavlen
