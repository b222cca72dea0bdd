#pragma once

#include <QString>

namespace tavlen {

// A row title as the sheet shows it. Without the limit, the title itself. With it, n = `limit`
// taken as a whole number (a negative or non-finite limit counts as 0): the first n characters,
// trimmed of spaces (U+0020 only) at both ends, then "…" when the title had more than n.
// Characters are the ones a reader sees: a letter with its combining marks, an emoji with its
// modifiers or a flag count as one and are never cut apart.
QString limitedTitle(const QString& title, bool applyLimitToTitles, double limit);

} // namespace tavlen
