#include "settings/LimitedTitle.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

namespace tavlen {

namespace {

qsizetype wholeCharacters(double limit)
{
    if (!std::isfinite(limit) || limit <= 0)
        return 0;
    // Titles are far shorter than this; it only keeps the conversion defined.
    constexpr double largest = 1 << 30;
    return static_cast<qsizetype>(std::trunc(std::min(limit, largest)));
}

QString trimmedOfSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.sliced(begin, end - begin).toString();
}

} // namespace

QString limitedTitle(const QString& title, bool applyLimitToTitles, double limit)
{
    if (!applyLimitToTitles)
        return title;
    const qsizetype n = wholeCharacters(limit);

    // Walk the character boundaries up to the n-th; the title is longer than n characters
    // exactly when a further boundary follows.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, title);
    qsizetype cut = 0;
    qsizetype counted = 0;
    while (counted < n) {
        const qsizetype next = finder.toNextBoundary();
        if (next < 0)
            break;
        cut = next;
        ++counted;
    }
    const bool longer = counted == n && cut < title.size();
    if (!longer)
        return trimmedOfSpaces(title);
    return trimmedOfSpaces(QStringView(title).first(cut)) + QStringLiteral("…");
}

} // namespace tavlen
