#include "harvest/KeyedEntry.h"

#include "harvest/ShortcutNotation.h"
#include "platform/MacKeys.h"

namespace tavlen {

namespace {

// Virtual key codes from here up are read as function keys when the glyph names one.
constexpr quint64 FUNCTION_ROW_FIRST_CODE = 95;

// The key name that follows the modifier symbols; empty when there is none. A key the notation
// has no symbol for goes by the name the platform gives it.
QString keyName(quint16 character, quint64 virtualKey, quint64 glyph, const QString& platformName)
{
    if (!platformName.isEmpty() && notation::virtualKeySymbol(virtualKey).isEmpty() &&
        notation::functionKeyName(glyph).isEmpty())
        return platformName;
    // A menu's function keys carry both codes; the glyph says which one it is.
    if (virtualKey >= FUNCTION_ROW_FIRST_CODE && virtualKey <= mac_keys::LAST_FUNCTION_KEY_CODE &&
        !notation::functionKeyName(glyph).isEmpty())
        return notation::functionKeyName(glyph);
    // A virtual key without a symbol of its own names nothing, and the glyph and the character
    // are not consulted either: they describe the same key.
    if (virtualKey != 0)
        return notation::virtualKeySymbol(virtualKey);
    if (const QString symbol = notation::glyphSymbol(glyph); !symbol.isEmpty())
        return symbol;
    if (character != 0)
        return notation::characterString(character);
    return {};
}

} // namespace

quint16 characterCode(const QString& text)
{
    if (text.isEmpty())
        return 0;
    const QList<uint> scalars = text.left(2).toUcs4();
    if (scalars.isEmpty() || scalars.front() > 0xFFFF)
        return 0;
    return static_cast<quint16>(scalars.front());
}

QString keyEquivalentText(const KeyEquivalent& key)
{
    QString text = notation::modifierSymbols(key.modifiers);
    const QString name = keyName(key.character, key.virtualKey, key.glyph, key.name);
    if (!name.isEmpty())
        text += QLatin1Char(' ') + name;
    return text.trimmed();
}

std::optional<MenuItem> keyedEntry(QUuid id, const QString& title, const KeyEquivalent& key, qint64 level,
                                   const QStringList& parentTitles)
{
    if (!key.namesKey())
        return std::nullopt;
    MenuItem item;
    item.id = id;
    item.title = title;
    item.parentTitles = parentTitles;
    item.level = level;
    item.keys = keyEquivalentText(key);
    Hotkey hotkey;
    hotkey.actionKey = key.character;
    hotkey.modifierKeys = key.modifiers;
    hotkey.virtualKey = key.virtualKey;
    hotkey.keyCode = key.character;
    hotkey.keyVitrualCode = static_cast<quint16>(key.virtualKey);
    hotkey.keyModifiers = key.modifiers;
    item.hotkeys = hotkey;
    return item;
}

} // namespace tavlen
