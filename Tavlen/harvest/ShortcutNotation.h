#pragma once

#include "harvest/KeyInput.h"

#include <QString>
#include <optional>

namespace tavlen {

class KeyboardLayout;

// Everything Tavlen shows about a key combination goes through these functions. All are pure
// except layoutCharacter, which asks the keyboard layout.
namespace notation {

// Accessibility modifier mask bits ("AXMenuItemCmdModifiers"); Command is implied unless
// NoCommand is set.
namespace AXModifier {
inline constexpr quint64 Shift = 1;
inline constexpr quint64 Option = 2;
inline constexpr quint64 Control = 4;
inline constexpr quint64 NoCommand = 8;
inline constexpr quint64 FunctionTest = 16;
} // namespace AXModifier

QString modifierSymbols(quint64 mask);
QString glyphSymbol(quint64 glyph);
QString functionKeyName(quint64 glyph);
QString virtualKeySymbol(quint64 virtualKey);
QString characterString(quint16 character);
QString specialKeySymbol(quint64 virtualKey);
std::optional<QString> layoutCharacter(quint16 virtualKey, bool currentLayout, const KeyboardLayout& layout);
QString keyInputText(const KeyInput& input, bool fnAsText, bool currentLayout, const KeyboardLayout& layout);
QString modifierWords(const KeyInput& input);
qint64 eventFlags(const KeyInput& input);
// None for rawValue -1 and for pairs the editor never writes (a key code outside 0..65535, or a
// negative mask beside a key code).
std::optional<KeyInput> keyInputFromStore(qint64 rawValue, qint64 rawModifier);
// One character of a sheet key text (a whole grapheme such as the globe).
std::optional<QString> sheetSymbolName(const QString& character);
std::optional<QString> recorderSymbolName(const QString& keyText);

} // namespace notation
} // namespace tavlen
