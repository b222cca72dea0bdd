#pragma once

class QWidget;

namespace tavlen {

// Ties a pop-up (a row's context menu) to the window it was opened from: when that window hides
// or is destroyed, the pop-up closes. The pop-up has no parent of its own, so that it survives a
// new sheet replacing its row, and nothing else would take it off the screen with the panel.
void closeWithWindow(QWidget& popup, QWidget& openedFrom);

} // namespace tavlen
