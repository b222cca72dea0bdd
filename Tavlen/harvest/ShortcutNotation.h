#pragma once

#include "platform/KeyInput.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tavlen {

class KeyboardLayout;

// Everything Tavlen shows about a key combination goes through these functions. All are pure
// except layoutCharacter (and keyInputText, which uses it), which ask the keyboard layout.
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

// The modifier symbols of a harvested key equivalent: ⌃⌥⇧⌘, then the globe.
QString modifierSymbols(quint64 mask);
// Menu glyph codes; empty for codes without a symbol.
QString glyphSymbol(quint64 glyph);
// "F1" to "F14" for glyph codes 111 to 124; empty otherwise.
QString functionKeyName(quint64 glyph);
// Symbols of the named keys among the virtual key codes; empty for letters, digits and the rest.
QString virtualKeySymbol(quint64 virtualKey);
// The one character with that code, as it is. A lone surrogate cannot stand for a character
// on its own and becomes U+FFFD.
QString characterString(quint16 character);
// Symbol or function-key name of a recorded key; empty for keys that type a character.
QString specialKeySymbol(quint64 virtualKey);
// What the key types with no modifier held, upper-cased in the user's locale; "ß" stays "ß".
// None when the key types nothing, or something that does not fit in one UTF-16 unit.
std::optional<QString> layoutCharacter(quint16 virtualKey, bool currentLayout, const KeyboardLayout& layout);
// Display text of a recorded shortcut: modifier symbols, one space, then the key.
QString keyInputText(const KeyInput& input, bool fnAsText, bool currentLayout, const KeyboardLayout& layout);
// "shift+control+command+option+fn" for the held modifiers, as export files write them.
QString modifierWords(const KeyInput& input);
// The event-flag mask of the held modifiers, as stored in "raw_modifier".
qint64 eventFlags(const KeyInput& input);
// None for rawValue -1 and for pairs the editor never writes (a key code outside 0..65535, or a
// negative mask beside a key code).
std::optional<KeyInput> keyInputFromStore(qint64 rawValue, qint64 rawModifier);
// One character of a sheet key text (a whole character such as the globe, see
// keyTextCharacters).
std::optional<QString> sheetSymbolName(const QString& character);
// One key text of the recorder views.
std::optional<QString> recorderSymbolName(const QString& keyText);
// A key text cut into the characters the sheet draws one by one. Cuts only between user-perceived
// characters, so the globe (two UTF-16 units) or a letter with a combining mark stays whole.
QStringList keyTextCharacters(const QString& keyText);

} // namespace notation
} // namespace tavlen
