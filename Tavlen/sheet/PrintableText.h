#pragma once

#include <QString>

namespace tavlen {

// Text from another application made safe to print one entry to a line on a terminal: control
// characters (line breaks, escapes that would drive the terminal) and the marks that turn the
// direction of the text around are written out as escapes ("\n", "\u202E") instead of acting.
QString printableText(const QString& text);

} // namespace tavlen
