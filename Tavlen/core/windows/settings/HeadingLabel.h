#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace tavlen {

// A heading of the settings window (a pane's title, a section's heading, the About pane's name):
// plain text in the window's font, bold, `scale` times its size.
QLabel* headingLabel(const QString& text, double scale, QWidget* parent);

} // namespace tavlen
