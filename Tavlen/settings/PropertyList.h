#pragma once

#include <QByteArray>
#include <QVariant>
#include <optional>

namespace tavlen {

// Reads an XML property list (the format of the shipped resource files) into Qt values:
//   dict → QVariantMap, array → QVariantList, string → QString, integer → qlonglong (or
//   qulonglong above its range), real → double, true/false → bool, date → QDateTime (UTC),
//   data → QByteArray.
// The root may be wrapped in <plist> or stand alone. Anything malformed (broken XML, an
// unknown element, a key without a value, text that is not a number, date or base64, nesting
// deeper than any real file needs) gives none; the reader never throws and never recurses
// without bound.
class PropertyList {
public:
    static std::optional<QVariant> parse(const QByteArray& xml);
};

} // namespace tavlen
