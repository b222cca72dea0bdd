#include "harvest/ShortcutNotation.h"

#include "platform/KeyboardLayout.h"

#include <QLocale>
#include <QTextBoundaryFinder>

#include <cstddef>

namespace tavlen::notation {

namespace {

// The globe stands for the Function key in every table.
const QString& globe()
{
    static const QString symbol = QStringLiteral("🌐");
    return symbol;
}

bool isSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// A text that is drawn as a named pictogram instead of as text.
struct SymbolName {
    const char16_t* text;
    const char* name;
};

template <std::size_t N>
std::optional<QString> lookUpSymbolName(const SymbolName (&table)[N], const QString& text)
{
    for (const SymbolName& entry : table) {
        if (text == QStringView(entry.text))
            return QString::fromLatin1(entry.name);
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
        text += glyphSymbol(63);
    return text;
}

QString glyphSymbol(quint64 glyph)
{
    switch (glyph) {
    case 9:
        return QStringLiteral("⇥");
    case 27:
        return QStringLiteral("⎋");
    case 36:
        return QStringLiteral("⏎");
    case 49:
        return QStringLiteral("␣");
    case 54:
        return QStringLiteral("⇧");
    case 55:
        return QStringLiteral("⌘");
    case 56:
        return QStringLiteral("⌃");
    case 58:
        return QStringLiteral("⌥");
    case 63:
        return globe();
    case 76:
        return QStringLiteral("⌅");
    case 115:
        return QStringLiteral("↖");
    case 116:
        return QStringLiteral("⇞");
    case 119:
        return QStringLiteral("↘");
    case 121:
        return QStringLiteral("⇟");
    case 123:
        return QStringLiteral("←");
    case 124:
        return QStringLiteral("→");
    case 125:
        return QStringLiteral("↓");
    case 126:
        return QStringLiteral("↑");
    case 150:
        return QStringLiteral("🎙");
    default:
        return {};
    }
}

QString functionKeyName(quint64 glyph)
{
    if (glyph < 111 || glyph > 124)
        return {};
    return QStringLiteral("F%1").arg(glyph - 110);
}

QString virtualKeySymbol(quint64 virtualKey)
{
    switch (virtualKey) {
    case 36:
        return QStringLiteral("⏎");
    case 48:
        return QStringLiteral("⇥");
    case 49:
        return QStringLiteral("␣");
    case 51:
        return QStringLiteral("⌫");
    case 53:
        return QStringLiteral("⎋");
    case 55:
        return QStringLiteral("⌘");
    case 56:
        return QStringLiteral("⇧");
    case 58:
        return QStringLiteral("⌥");
    case 59:
        return QStringLiteral("⌃");
    case 63:
        return globe();
    case 74:
        return QStringLiteral("🎙");
    case 76:
        return QStringLiteral("⌅");
    case 115:
        return QStringLiteral("↖");
    case 116:
        return QStringLiteral("⇞");
    case 117:
        return QStringLiteral("⌦");
    case 119:
        return QStringLiteral("↘");
    case 121:
        return QStringLiteral("⇟");
    case 123:
        return QStringLiteral("←");
    case 124:
        return QStringLiteral("→");
    case 125:
        return QStringLiteral("↓");
    case 126:
        return QStringLiteral("↑");
    default:
        return {};
    }
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
    switch (virtualKey) {
    case 36:
        return QStringLiteral("⏎");
    case 48:
        return QStringLiteral("⇥");
    case 49:
        return QStringLiteral("␣");
    case 51:
        return QStringLiteral("⌫");
    case 53:
        return QStringLiteral("⎋");
    case 76:
        return QStringLiteral("⌅");
    case 96:
        return QStringLiteral("F5");
    case 97:
        return QStringLiteral("F6");
    case 98:
        return QStringLiteral("F7");
    case 99:
        return QStringLiteral("F3");
    case 100:
        return QStringLiteral("F8");
    case 101:
        return QStringLiteral("F9");
    case 103:
        return QStringLiteral("F11");
    case 109:
        return QStringLiteral("F10");
    case 111:
        return QStringLiteral("F12");
    case 115:
        return QStringLiteral("↖");
    case 116:
        return QStringLiteral("⇞");
    case 117:
        return QStringLiteral("⌦");
    case 118:
        return QStringLiteral("F4");
    case 119:
        return QStringLiteral("↘");
    case 120:
        return QStringLiteral("F2");
    case 121:
        return QStringLiteral("⇟");
    case 122:
        return QStringLiteral("F1");
    case 123:
        return QStringLiteral("←");
    case 124:
        return QStringLiteral("→");
    case 125:
        return QStringLiteral("↓");
    case 126:
        return QStringLiteral("↑");
    default:
        return {};
    }
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

    KeyInput input;
    input.keyCode = static_cast<quint16>(rawValue);
    input.isCommand = rawModifier & EventFlag::Command;
    input.isControl = rawModifier & EventFlag::Control;
    input.isOption = rawModifier & EventFlag::Option;
    input.isShift = rawModifier & EventFlag::Shift;
    input.isFunction = rawModifier & EventFlag::Function;
    return input;
}

std::optional<QString> sheetSymbolName(const QString& character)
{
    // "␣" and the globe carry the names of the newest system version ("space", "fn").
    static constexpr SymbolName table[] = {
        {u"+", "plus"},         {u"-", "minus"},
        {u"=", "equal"},        {u"<", "lessthan"},
        {u">", "greaterthan"},  {u"*", "asterisk"},
        {u"⌦", "delete.right"}, {u"\x7F", "delete.right"},
        {u"⌫", "delete.left"},  {u"\x08", "delete.left"},
        {u"⏎", "return"},       {u"⇪", "capslock"},
        {u"⇧", "shift"},        {u"⌥", "option"},
        {u"⌃", "control"},      {u"⌘", "command"},
        {u"⎋", "escape"},       {u"⇥", "arrow.right.to.line"},
        {u"␣", "space"},        {u"🌐", "fn"},
        {u"🎙", "mic"},
    };
    return lookUpSymbolName(table, character);
}

std::optional<QString> recorderSymbolName(const QString& keyText)
{
    static constexpr SymbolName table[] = {
        {u"<", "lessthan"},    {u">", "greaterthan"},
        {u"=", "equal"},       {u"-", "minus"},
        {u"*", "asterisk"},    {u"⌦", "delete.right"},
        {u"⌫", "delete.left"}, {u"⏎", "return"},
        {u"⎋", "escape"},      {u"⇥", "arrow.right.to.line"},
        {u"␣", "space"},       {u"⇧", "shift"},
        {u"⌥", "option"},      {u"⌃", "control"},
        {u"⌘", "command"},     {u"fn", "fn"},
        {u"🌐", "fn"},
    };
    return lookUpSymbolName(table, keyText);
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
