#include "harvest/linux/ShortcutRange.h"

#include "harvest/linux/AcceleratorText.h"

namespace tavlen::linux_harvest {
namespace {

const QString ASCII_ELLIPSIS = QStringLiteral("...");
const QString ELLIPSIS = QStringLiteral("…");

} // namespace

bool ShortcutRange::looksLikeRange(const QString& accelerator)
{
    return accelerator.contains(ASCII_ELLIPSIS) || accelerator.contains(ELLIPSIS);
}

std::optional<ShortcutRange> ShortcutRange::parse(const QString& accelerator, QString* problem)
{
    const auto fail = [problem](const QString& why) -> std::optional<ShortcutRange> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    const QString trimmed = accelerator.trimmed();
    qsizetype dots = trimmed.lastIndexOf(ASCII_ELLIPSIS);
    qsizetype dotsLength = ASCII_ELLIPSIS.size();
    if (dots < 0) {
        dots = trimmed.lastIndexOf(ELLIPSIS);
        dotsLength = ELLIPSIS.size();
    }
    if (dots < 0)
        return fail(QStringLiteral("not a range of keys"));
    const QString first = trimmed.left(dots);
    const QString last = trimmed.mid(dots + dotsLength);
    const std::optional<linux_platform::MenuKeyEquivalent> firstKey =
        linux_platform::AcceleratorParser::parseAccelerator(first);
    if (!firstKey || firstKey->character.size() != 1)
        return fail(QStringLiteral("a range starts with an accelerator whose key is a letter or a digit, "
                                   "as in <Alt>1...9"));
    if (last.size() != 1)
        return fail(QStringLiteral("a range ends with one letter or digit after \"...\""));
    const QChar from = firstKey->character.front();
    const QChar to = last.front().toUpper();
    const bool sameKind = (from.isDigit() && to.isDigit()) || (from.isLetter() && to.isLetter());
    if (!sameKind || to <= from)
        return fail(
            QStringLiteral("a range runs from one letter or digit up to a later one of the same kind"));
    return ShortcutRange(keyEquivalentText(keyEquivalentOf(*firstKey)) + ELLIPSIS + to);
}

} // namespace tavlen::linux_harvest
