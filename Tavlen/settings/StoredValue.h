#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace tavlen {

// Reads a stored preference as one type, or says that it holds something else. A value comes
// back either as the native QVariant it was written as (in-memory stores) or as text (the INI
// file, which has no types), so each reader accepts exactly these two forms:
//
// - Boolean: a native bool, or the text "true" or "false" (case-sensitive, as the INI writer
//   spells them). Numbers, "1", "yes" and "TRUE" are not Booleans.
// - Integer: a native integer (any width, not bool) whose value fits an int, or text made of
//   an optional sign and decimal digits only whose value fits an int. Doubles and "4.0" are
//   not integers.
// - Double: any native number (integers included, bool excluded), or text that reads as a
//   number in the C locale ("4", "0.5", "-1e3"; no group separators). Non-finite values (NaN,
//   infinities) are rejected in both forms: no preference means them.
// - String: a native string. In an INI file every scalar is text, so any scalar reads as a
//   string there; a list (the INI reader turns "a, b" into one) does not.
//
// An absent key (an invalid QVariant) is of no type.
class StoredValue {
public:
    static std::optional<bool> toBool(const QVariant& value);
    static std::optional<int> toInt(const QVariant& value);
    static std::optional<double> toDouble(const QVariant& value);
    static std::optional<QString> toString(const QVariant& value);
};

} // namespace tavlen
