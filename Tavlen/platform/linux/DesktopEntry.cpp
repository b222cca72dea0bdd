#include "platform/linux/DesktopEntry.h"

#include <QHash>
#include <QLocale>

namespace tavlen::linux_platform {
namespace {

// Locale keys to try, most specific first.
QStringList localeCandidates(const QString& messagesLocale)
{
    QString rest = messagesLocale;
    QString modifier;
    if (const qsizetype at = rest.indexOf(QLatin1Char('@')); at >= 0) {
        modifier = rest.mid(at + 1);
        rest.truncate(at);
    }
    if (const qsizetype dot = rest.indexOf(QLatin1Char('.')); dot >= 0)
        rest.truncate(dot);
    QString language = rest;
    QString country;
    if (const qsizetype underscore = rest.indexOf(QLatin1Char('_')); underscore >= 0) {
        language = rest.left(underscore);
        country = rest.mid(underscore + 1);
    }
    if (language.isEmpty() || language == QLatin1String("C") || language == QLatin1String("POSIX"))
        return {};

    QStringList candidates;
    if (!country.isEmpty() && !modifier.isEmpty())
        candidates << language + QLatin1Char('_') + country + QLatin1Char('@') + modifier;
    if (!country.isEmpty())
        candidates << language + QLatin1Char('_') + country;
    if (!modifier.isEmpty())
        candidates << language + QLatin1Char('@') + modifier;
    candidates << language;
    return candidates;
}

bool isGroupHeader(QStringView line)
{
    return line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'));
}

bool isTrue(const QString& value)
{
    return value == QLatin1String("true");
}

bool isEnvironmentAssignment(const QString& argument)
{
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return false;
    for (qsizetype i = 0; i < equals; ++i) {
        const QChar c = argument.at(i);
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_')) || c.unicode() > 127)
            return false;
    }
    return !argument.front().isDigit();
}

} // namespace

QString DesktopEntry::unescape(const QString& value)
{
    QString result;
    result.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            result += c;
            continue;
        }
        const QChar next = value.at(++i);
        // The escapes of the format, each letter above the character it stands for.
        static constexpr QStringView letters = u"sntr\\";
        static constexpr QStringView meanings = u" \n\t\r\\";
        if (const qsizetype escape = letters.indexOf(next); escape >= 0) {
            result += meanings.at(escape);
        } else {
            // Not an escape of this format (Exec has its own): kept for the next reader.
            result += c;
            result += next;
        }
    }
    return result;
}

QStringList DesktopEntry::execArguments(const QString& exec)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else if (c == QLatin1Char('\\') && i + 1 < exec.size()) {
                // Inside quotes a backslash protects ", `, $ and itself.
                current += exec.at(++i);
            } else {
                current += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inArgument = true;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments << current;
    return arguments;
}

QString DesktopEntry::executableName() const
{
    const QStringList arguments = execArguments(exec);
    qsizetype index = 0;
    if (index < arguments.size() && (arguments.at(index) == QLatin1String("env") ||
                                     arguments.at(index).endsWith(QLatin1String("/env")))) {
        ++index;
        while (index < arguments.size() && isEnvironmentAssignment(arguments.at(index)))
            ++index;
    }
    if (index >= arguments.size())
        return {};
    return arguments.at(index).section(QLatin1Char('/'), -1);
}

std::optional<DesktopEntry> DesktopEntry::parse(const QByteArray& bytes, const QString& messagesLocale)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    QHash<QString, QString> values;
    bool inMainGroup = false;
    bool sawMainGroup = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& rawLine : lines) {
        QStringView line = QStringView(rawLine);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (isGroupHeader(line)) {
            // Only the first [Desktop Entry] group counts; actions and vendor groups follow it.
            inMainGroup = !sawMainGroup && line == QLatin1String("[Desktop Entry]");
            sawMainGroup = sawMainGroup || inMainGroup;
            continue;
        }
        if (!inMainGroup)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed().toString();
        // The first occurrence of a key wins; later duplicates are a broken file's noise.
        if (!values.contains(key))
            values.insert(key, unescape(line.mid(equals + 1).trimmed().toString()));
    }
    if (!sawMainGroup)
        return std::nullopt;

    DesktopEntry entry;
    entry.type = values.value(QStringLiteral("Type"));
    std::optional<QString> name;
    for (const QString& locale : localeCandidates(messagesLocale)) {
        const auto it = values.constFind(QStringLiteral("Name[%1]").arg(locale));
        if (it != values.constEnd()) {
            name = *it;
            break;
        }
    }
    if (!name) {
        const auto it = values.constFind(QStringLiteral("Name"));
        if (it != values.constEnd())
            name = *it;
    }
    if (entry.type.isEmpty() || !name)
        return std::nullopt;
    entry.name = *name;
    entry.icon = values.value(QStringLiteral("Icon"));
    entry.exec = values.value(QStringLiteral("Exec"));
    entry.startupWMClass = values.value(QStringLiteral("StartupWMClass"));
    entry.hidden = isTrue(values.value(QStringLiteral("Hidden")));
    entry.noDisplay = isTrue(values.value(QStringLiteral("NoDisplay")));
    entry.autostartSwitchedOff =
        values.value(QStringLiteral("X-GNOME-Autostart-enabled")).trimmed() == QLatin1String("false");
    return entry;
}

QString DesktopEntry::userMessagesLocale()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    return QLocale::system().name();
}

} // namespace tavlen::linux_platform
