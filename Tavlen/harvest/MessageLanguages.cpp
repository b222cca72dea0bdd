#include "harvest/MessageLanguages.h"

namespace tavlen {

namespace {

// ll_CC.codeset@modifier gives ll_CC@modifier, ll_CC, ll@modifier, ll.
void addVariants(const QString& language, QStringList& languages)
{
    QString rest = language.trimmed();
    QString modifier;
    if (const qsizetype at = rest.indexOf(QLatin1Char('@')); at >= 0) {
        modifier = rest.mid(at);
        rest.truncate(at);
    }
    if (const qsizetype dot = rest.indexOf(QLatin1Char('.')); dot >= 0)
        rest.truncate(dot);
    if (rest.isEmpty() || rest.contains(QLatin1Char('/')) || modifier.contains(QLatin1Char('/')))
        return;
    const QString bare = rest.section(QLatin1Char('_'), 0, 0);
    for (const QString& variant : {rest + modifier, rest, bare + modifier, bare}) {
        if (!languages.contains(variant))
            languages.append(variant);
    }
}

} // namespace

QStringList messageLanguages(const QHash<QString, QString>& environment)
{
    QString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment.value(QLatin1String(name));
        if (!locale.isEmpty())
            break;
    }
    if (locale.isEmpty() || locale == QLatin1String("C") || locale == QLatin1String("POSIX") ||
        locale.startsWith(QLatin1String("C.")))
        return {};
    QStringList languages;
    const QString language = environment.value(QStringLiteral("LANGUAGE"));
    for (const QString& entry : language.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        addVariants(entry, languages);
    if (languages.isEmpty())
        addVariants(locale, languages);
    return languages;
}

} // namespace tavlen
