#include "platform/linux/DesktopEntryLauncher.h"

#include <QProcess>

namespace tavlen::linux_platform {

namespace {

bool startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

// One argument with its embedded field codes expanded; the codes for files and URLs (and the
// deprecated ones) stand for nothing when nothing is opened.
QString expandFieldCodes(const QString& argument, const DesktopEntry& entry)
{
    QString expanded;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        const QChar c = argument.at(i);
        if (c != QLatin1Char('%') || i + 1 == argument.size()) {
            expanded.append(c);
            continue;
        }
        const QChar code = argument.at(++i);
        if (code == QLatin1Char('%'))
            expanded.append(QLatin1Char('%'));
        else if (code == QLatin1Char('c'))
            expanded.append(entry.name);
        else if (code == QLatin1Char('k'))
            expanded.append(entry.path);
    }
    return expanded;
}

bool isFileCode(const QString& argument)
{
    static const QStringList codes{QStringLiteral("%f"), QStringLiteral("%F"), QStringLiteral("%u"),
                                   QStringLiteral("%U"), QStringLiteral("%d"), QStringLiteral("%D"),
                                   QStringLiteral("%n"), QStringLiteral("%N"), QStringLiteral("%v"),
                                   QStringLiteral("%m")};
    return codes.contains(argument);
}

} // namespace

DesktopEntryLauncher::DesktopEntryLauncher(const DesktopEntryDirectory& directory, Starter starter)
    : m_directory(directory), m_starter(starter ? std::move(starter) : Starter(startDetached))
{}

bool DesktopEntryLauncher::launch(const QString& applicationId)
{
    const std::optional<DesktopEntry> entry = m_directory.entry(applicationId);
    if (!entry || !entry->isApplication())
        return false;
    const std::optional<QStringList> command = commandLine(*entry);
    if (!command)
        return false;
    return m_starter(command->first(), command->mid(1));
}

std::optional<QStringList> DesktopEntryLauncher::commandLine(const DesktopEntry& entry)
{
    QStringList command;
    for (const QString& argument : DesktopEntry::execArguments(entry.exec)) {
        // Field codes that stand for a list stand alone; dropping them drops the argument.
        if (isFileCode(argument))
            continue;
        if (argument == QLatin1String("%i")) {
            if (!entry.icon.isEmpty())
                command << QStringLiteral("--icon") << entry.icon;
            continue;
        }
        command << expandFieldCodes(argument, entry);
    }
    if (command.isEmpty() || command.first().isEmpty())
        return std::nullopt;
    return command;
}

} // namespace tavlen::linux_platform
