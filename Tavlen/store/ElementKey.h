#pragma once

#include <QString>

namespace tavlen {

// The SHA-256 digest of the text's UTF-8 bytes as 64 lower-case hexadecimal digits.
QString sha256Hex(const QString& text);

// Identifies a harvested menu element in the store: two elements of one application with the
// same title and shortcut text share their stored state.
QString elementKey(const QString& title, const QString& keys);

} // namespace tavlen
