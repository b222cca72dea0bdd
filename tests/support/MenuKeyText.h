#pragma once

#include "harvest/ShortcutNotation.h"

#include <QString>

namespace tavlen::test {

// The text the harvest makes of a menu element's key equivalent: modifier symbols, then the key
// name, chosen from function-key glyph, virtual key, glyph and character in that order; a key
// the notation has no symbol for goes by the name the platform gave it.
inline QString menuKeyText(quint16 character, quint64 modifiers, quint64 virtualKey, quint64 glyph,
                           const QString& platformName = {})
{
    QString name;
    if (!platformName.isEmpty() && notation::virtualKeySymbol(virtualKey).isEmpty() &&
        notation::functionKeyName(glyph).isEmpty())
        name = platformName;
    else if (virtualKey >= 95 && virtualKey <= 122 && glyph >= 111 && glyph <= 124)
        name = notation::functionKeyName(glyph);
    else if (virtualKey != 0)
        name = notation::virtualKeySymbol(virtualKey);
    else if (!notation::glyphSymbol(glyph).isEmpty())
        name = notation::glyphSymbol(glyph);
    else if (character != 0)
        name = notation::characterString(character);
    QString text = notation::modifierSymbols(modifiers);
    if (!name.isEmpty())
        text += QLatin1Char(' ') + name;
    return text.trimmed();
}

} // namespace tavlen::test
