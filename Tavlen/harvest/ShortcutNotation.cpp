#include "harvest/ShortcutNotation.h"

#include "platform/KeyboardLayout.h"
#include "platform/MacKeys.h"

#include <QLocale>
#include <QTextBoundaryFinder>

#include <cstddef>
#include <span>

namespace tavlen::notation {

namespace {

// The globe stands for the Function key in every table.
const QString& globe()
{
    static const QString symbol = virtualKeySymbol(mac_keys::Function);
    return symbol;
}

// The recorder names the function keys a standard keyboard has; others show as "??".
constexpr int RECORDED_FUNCTION_KEYS = 12;

bool isSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// A text that is drawn as a named pictogram instead of as text.
struct SymbolName {
    const char16_t* text;
    const char* name;
};

// The pictograms the sheet and the recorder views both draw. "␣" and the globe carry the names of
// the newest system version ("space", "fn").
constexpr SymbolName sharedSymbolNames[] = {
    {u"-", "minus"},       {u"=", "equal"},
    {u"<", "lessthan"},    {u">", "greaterthan"},
    {u"*", "asterisk"},    {u"⌦", "delete.right"},
    {u"⌫", "delete.left"}, {u"⏎", "return"},
    {u"⇧", "shift"},       {u"⌥", "option"},
    {u"⌃", "control"},     {u"⌘", "command"},
    {u"⎋", "escape"},      {u"⇥", "arrow.right.to.line"},
    {u"␣", "space"},       {u"🌐", "fn"},
};

// The name in `own`, else among the shared ones.
template <std::size_t N>
std::optional<QString> lookUpSymbolName(const SymbolName (&own)[N], const QString& text)
{
    for (const std::span<const SymbolName> table :
         {std::span<const SymbolName>(own), std::span<const SymbolName>(sharedSymbolNames)}) {
        for (const SymbolName& entry : table) {
            if (text == QStringView(entry.text))
                return QString::fromLatin1(entry.name);
        }
    }
    return std::nullopt;
}

} // namespace

QString modifierSymbols(quint64 mask)
{
    QString text;
    if (mask & AXModifier::Control)
        text += QStringLiteral("⌃");
    if (mask & AXModifier::Option)
        text += QStringLiteral("⌥");
    if (mask & AXModifier::Shift)
        text += QStringLiteral("⇧");
    if (!(mask & AXModifier::NoCommand))
        text += QStringLiteral("⌘");
    // For the masks the platform gives (0..31) this means "bits 3 and 4 both set"; larger values
    // follow the same arithmetic.
    if (mask >= 24 && (mask & (AXModifier::NoCommand | AXModifier::FunctionTest)))
        text += globe();
    return text;
}

QString glyphSymbol(quint64 glyph)
{
    const mac_keys::NamedKey* key = mac_keys::namedKeyWithGlyph(glyph);
    return key ? QString::fromUtf16(key->symbol) : QString();
}

QString functionKeyName(quint64 glyph)
{
    const quint64 first = mac_keys::FIRST_FUNCTION_KEY_GLYPH;
    if (glyph < first || glyph >= first + mac_keys::GLYPH_FUNCTION_KEYS)
        return {};
    return QStringLiteral("F%1").arg(glyph - first + 1);
}

QString virtualKeySymbol(quint64 virtualKey)
{
    const mac_keys::NamedKey* key = mac_keys::namedKeyWithCode(virtualKey);
    return key ? QString::fromUtf16(key->symbol) : QString();
}

QString characterString(quint16 character)
{
    // Accessibility adapters hand over whatever 16-bit code they parsed; half a surrogate pair
    // would turn into invalid UTF-8 further down the road (store keys, export files).
    if (isSurrogate(character))
        return QString(QChar::ReplacementCharacter);
    return QString(QChar(character));
}

QString specialKeySymbol(quint64 virtualKey)
{
    if (const mac_keys::NamedKey* key = mac_keys::namedKeyWithCode(virtualKey))
        return key->modifier ? QString() : QString::fromUtf16(key->symbol);
    const int number = mac_keys::functionKeyNumber(virtualKey);
    if (number >= 1 && number <= RECORDED_FUNCTION_KEYS)
        return QStringLiteral("F%1").arg(number);
    return {};
}

std::optional<QString> layoutCharacter(quint16 virtualKey, bool currentLayout, const KeyboardLayout& layout)
{
    const std::optional<char32_t> character = layout.character(virtualKey, currentLayout);
    // A key that types nothing (a dead key, a modifier) has no character.
    if (!character || *character == 0)
        return std::nullopt;
    // Only what fits in one UTF-16 unit counts: beyond the Basic Multilingual Plane the first
    // unit would be a surrogate, and a lone surrogate code point is no character at all.
    if (*character > 0xFFFF || isSurrogate(*character))
        return std::nullopt;

    const QString text(QChar(static_cast<char16_t>(*character)));
    const QString upper = QLocale().toUpper(text);
    // Upper-casing turns a sharp s into "SS", which would read as two keys.
    if (upper == QLatin1String("SS"))
        return QStringLiteral("ß");
    return upper;
}

QString keyInputText(const KeyInput& input, bool fnAsText, bool currentLayout, const KeyboardLayout& layout)
{
    if (!input.keyCode)
        return {};

    QString key = specialKeySymbol(*input.keyCode);
    if (key.isEmpty())
        key = layoutCharacter(*input.keyCode, currentLayout, layout).value_or(QStringLiteral("??"));

    // The Function mark leads here, unlike in modifierSymbols where it comes last.
    QString text;
    if (input.isFunction)
        text += fnAsText ? QStringLiteral("fn") : globe();
    if (input.isControl)
        text += QStringLiteral("⌃");
    if (input.isOption)
        text += QStringLiteral("⌥");
    if (input.isShift)
        text += QStringLiteral("⇧");
    if (input.isCommand)
        text += QStringLiteral("⌘");
    text += QLatin1Char(' ');
    text += key;
    return text;
}

QString modifierWords(const KeyInput& input)
{
    QStringList words;
    if (input.isShift)
        words << QStringLiteral("shift");
    if (input.isControl)
        words << QStringLiteral("control");
    if (input.isCommand)
        words << QStringLiteral("command");
    if (input.isOption)
        words << QStringLiteral("option");
    if (input.isFunction)
        words << QStringLiteral("fn");
    return words.join(QLatin1Char('+'));
}

qint64 eventFlags(const KeyInput& input)
{
    qint64 flags = 0;
    if (input.isShift)
        flags |= EventFlag::Shift;
    if (input.isControl)
        flags |= EventFlag::Control;
    if (input.isOption)
        flags |= EventFlag::Option;
    if (input.isCommand)
        flags |= EventFlag::Command;
    if (input.isFunction)
        flags |= EventFlag::Function;
    return flags;
}

std::optional<KeyInput> keyInputFromStore(qint64 rawValue, qint64 rawModifier)
{
    if (rawValue < 0 || rawValue > 0xFFFF || rawModifier < 0)
        return std::nullopt;

    KeyInput input = modifiersOfEventFlags(rawModifier);
    input.keyCode = static_cast<quint16>(rawValue);
    return input;
}

std::optional<QString> sheetSymbolName(const QString& character)
{
    static constexpr SymbolName own[] = {
        {u"+", "plus"},     {u"\x7F", "delete.right"}, {u"\x08", "delete.left"},
        {u"⇪", "capslock"}, {u"🎙", "mic"},
    };
    return lookUpSymbolName(own, character);
}

std::optional<QString> recorderSymbolName(const QString& keyText)
{
    static constexpr SymbolName own[] = {{u"fn", "fn"}};
    return lookUpSymbolName(own, keyText);
}

QStringList keyTextCharacters(const QString& keyText)
{
    QStringList characters;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, keyText);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype end = finder.position();
        characters << keyText.mid(start, end - start);
        start = end;
    }
    return characters;
}

} // namespace tavlen::notation
