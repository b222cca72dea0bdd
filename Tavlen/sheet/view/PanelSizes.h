#pragma once

#include <QSizeF>
#include <optional>

namespace tavlen {

// The sizes the two panels' contents demand, in points, from the main screen's visible frame
// (the screen without panels and docks) as it is when the content is created. Sizes do not
// follow later screen changes.

// The shortcut panel: asked for from another application (`isGlobal`), 0.8 of the visible
// width by 0.7 of the visible height but at least 350 high; asked for while Tavlen is
// frontmost, always 600 × 350.
QSizeF hotkeysPanelSize(bool isGlobal, const QSizeF& visibleFrame);

// The persistent panel: 0.25 of the visible width by 0.7 of the visible height.
QSizeF persistentPanelSize(const QSizeF& visibleFrame);

// The height a panel takes once its sheet is built: what the sheet needs, but never lower than
// the panel was made nor taller than the visible frame; beyond that the sheet scrolls.
double grownPanelHeight(double sheetHeight, double madeHeight, double visibleHeight);

// The visible frame of the main screen; none without a screen.
std::optional<QSizeF> mainScreenVisibleFrame();

// Without a screen there is nothing to measure; the panels then take the size they have while
// Tavlen itself is frontmost, which fits any display that may be attached later.
QSizeF visibleFrameOrFallback(const std::optional<QSizeF>& visibleFrame);

} // namespace tavlen
