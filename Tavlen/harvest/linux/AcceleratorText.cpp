#include "harvest/linux/AcceleratorText.h"

#include "harvest/ShortcutNotation.h"

#include <QRegularExpression>
#include <QStringList>

namespace tavlen::linux_harvest {

namespace {

const QString RANGE_MARK = QStringLiteral("...");

std::optional<KeyEquivalent> keyOf(const QString& accelerator)
{
    const std::optional<linux_platform::MenuKeyEquivalent> parsed =
        linux_platform::AcceleratorParser::parseAccelerator(accelerator.trimmed());
    if (!parsed)
        return std::nullopt;
    const KeyEquivalent key = keyEquivalentOf(*parsed);
    if (!key.namesKey())
        return std::nullopt;
    return key;
}

std::optional<QString> rangeText(const QString& first, const QString& last)
{
    const std::optional<KeyEquivalent> from = keyOf(first);
    const std::optional<KeyEquivalent> to = keyOf(last);
    if (!from || !to)
        return std::nullopt;
    const QString fromText = keyEquivalentText(*from);
    // The end of a range is written without modifiers when they are those of its start.
    const bool ownModifiers = last.contains(QLatin1Char('<'));
    if (ownModifiers && to->modifiers != from->modifiers)
        return fromText + QStringLiteral(" … ") + keyEquivalentText(*to);
    KeyEquivalent bare = *to;
    bare.modifiers = from->modifiers;
    const QString prefix = notation::modifierSymbols(from->modifiers);
    const QString toText = keyEquivalentText(bare);
    return fromText + QStringLiteral("…") + toText.mid(prefix.size()).trimmed();
}

// Splits at a separator that is not the key itself: "<ctrl>c+<ctrl>x" at '+', but GTK names the
// plus key "plus", so a separator never stands first or last.
QStringList splitKeys(const QString& accelerator, QChar separator)
{
    const QStringList parts = accelerator.split(separator);
    for (const QString& part : parts) {
        if (part.trimmed().isEmpty())
            return {};
    }
    return parts;
}

std::optional<QString> joinedText(const QStringList& parts, const QString& glue)
{
    QStringList texts;
    for (const QString& part : parts) {
        const std::optional<QString> text = acceleratorText(part);
        if (!text)
            return std::nullopt;
        texts.append(*text);
    }
    return texts.join(glue);
}

} // namespace

KeyEquivalent keyEquivalentOf(const linux_platform::MenuKeyEquivalent& parsed)
{
    return {characterCode(parsed.character), parsed.modifiers, parsed.virtualKey, parsed.glyph, parsed.name};
}

std::optional<QString> acceleratorText(const QString& accelerator)
{
    const std::optional<KeyEquivalent> key = keyOf(accelerator);
    if (!key)
        return std::nullopt;
    return keyEquivalentText(*key);
}

std::optional<QString> writtenAcceleratorText(const QString& accelerator)
{
    static const QRegularExpression written(QStringLiteral("^((?:<[A-Za-z_]+>)*)([A-Za-z0-9_]+)$"));
    const QRegularExpressionMatch match = written.match(accelerator.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    QString modifiers;
    if (!match.captured(1).isEmpty()) {
        // The modifiers are read on a key every notation knows.
        const std::optional<KeyEquivalent> key = keyOf(match.captured(1) + QStringLiteral("a"));
        if (!key)
            return std::nullopt;
        modifiers = notation::modifierSymbols(key->modifiers);
    }
    QString name = match.captured(2);
    name.replace(QLatin1Char('_'), QLatin1Char(' '));
    return modifiers.isEmpty() ? name : modifiers + QLatin1Char(' ') + name;
}

std::optional<QString> compoundAcceleratorText(const QString& accelerator)
{
    const QString text = accelerator.trimmed();
    if (const qsizetype mark = text.indexOf(RANGE_MARK); mark > 0)
        return rangeText(text.left(mark), text.mid(mark + RANGE_MARK.size()));
    // A Qt accelerator ("Ctrl+S") is one key press, not a sequence.
    if (!text.contains(QLatin1Char('<')) && text.contains(QLatin1Char('+')) && acceleratorText(text))
        return std::nullopt;
    if (const QStringList steps = splitKeys(text, QLatin1Char('+')); steps.size() > 1)
        return joinedText(steps, QStringLiteral(", "));
    if (const QStringList together = splitKeys(text, QLatin1Char('&')); together.size() > 1)
        return joinedText(together, QStringLiteral(" + "));
    return std::nullopt;
}

} // namespace tavlen::linux_harvest
