#include "settings/SettingsTexts.h"

#include "settings/LimitedTitle.h"

#include <QStringList>
#include <algorithm>

namespace tavlen {

namespace {

bool isPlainShellCharacter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || QStringView(u"/._-+,:@%=").contains(c);
}

// Markdown reads most ASCII punctuation as markup; escaped, each stands for itself. Slashes,
// dots, hyphens and apostrophes inside a word are never markup and stay readable.
QString markdownEscaped(const QString& text)
{
    QString escaped;
    for (const QChar c : text) {
        if (c.unicode() < 0x80 && c.isPunct() && !QStringView(u"/.-'").contains(c))
            escaped.append(QLatin1Char('\\'));
        else if (c.unicode() < 0x80 && c.isSymbol())
            escaped.append(QLatin1Char('\\'));
        escaped.append(c);
    }
    return escaped;
}

} // namespace

QString SettingsTexts::truncationSample()
{
    return QStringLiteral("Some menu titles can be very long which cause them to split into two lines and "
                          "even more");
}

QString SettingsTexts::truncationPreview(bool applyLimitToTitles, double limitTitles)
{
    return limitedTitle(truncationSample(), applyLimitToTitles, limitTitles);
}

QString SettingsTexts::shellWord(const QString& program)
{
    if (!program.isEmpty() && std::all_of(program.begin(), program.end(), isPlainShellCharacter))
        return program;
    QString quoted = program;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString SettingsTexts::otherToolsMarkdown(const QString& program)
{
    const QString command = markdownEscaped(shellWord(program));
    const QStringList paragraphs{
        QStringLiteral("Tavlen support tools like *skhd* via accepting params to present **Shortcuts** panel "
                       "or **Persistent** panel:"),
        QStringLiteral("**1.** to present **Shortcuts** panel pass **--show-shortcuts** param:"),
        QStringLiteral("*%1 --show-shortcuts*").arg(command),
        QStringLiteral("**2.** to present **Persistent** panel pass **--toggle-persistent** param:"),
        QStringLiteral("*%1 --toggle-persistent*").arg(command),
    };
    return paragraphs.join(QStringLiteral("\n\n"));
}

} // namespace tavlen
