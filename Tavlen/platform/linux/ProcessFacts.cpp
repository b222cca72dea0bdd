#include "platform/linux/ProcessFacts.h"

#include "platform/linux/ApplicationIdResolver.h"
#include "platform/linux/ProcFile.h"

#include <QFileInfo>
#include <QStringList>
#include <limits>

namespace tavlen::linux_platform {

QString ProcessFacts::executableOf(qint64 processIdentifier)
{
    if (processIdentifier <= 0)
        return {};
    const QString proc = QStringLiteral("/proc/%1/").arg(processIdentifier);
    const QString target = QFileInfo(proc + QStringLiteral("exe")).symLinkTarget();
    if (!target.isEmpty())
        return QFileInfo(target).fileName();
    return QString::fromLocal8Bit(readProcFile(processIdentifier, "comm").value_or(QByteArray())).trimmed();
}

QString ProcessFacts::launchedDesktopEntryOf(qint64 processIdentifier)
{
    static const QByteArray key = QByteArrayLiteral("GIO_LAUNCHED_DESKTOP_FILE=");
    const QList<QByteArray> variables =
        readProcFile(processIdentifier, "environ").value_or(QByteArray()).split('\0');
    for (const QByteArray& variable : variables) {
        if (!variable.startsWith(key))
            continue;
        const QString name = QFileInfo(QString::fromLocal8Bit(variable.mid(key.size()))).fileName();
        return name.endsWith(QLatin1String(".desktop")) ? name.chopped(8) : QString();
    }
    return {};
}

QString ProcessFacts::scriptOf(qint64 processIdentifier)
{
    if (!ApplicationIdResolver::isInterpreter(executableOf(processIdentifier)))
        return {};
    const std::optional<QByteArray> cmdline = readProcFile(processIdentifier, "cmdline", 64 * 1024);
    if (!cmdline)
        return {};
    QStringList arguments;
    for (const QByteArray& argument : cmdline->split('\0'))
        arguments << QString::fromLocal8Bit(argument);
    return ApplicationIdResolver::scriptOf(arguments);
}

quint64 ProcessFacts::startTimeOf(qint64 processIdentifier)
{
    const std::optional<QByteArray> stat = readProcFile(processIdentifier, "stat");
    if (!stat)
        return std::numeric_limits<quint64>::max();
    const QByteArray& line = *stat;
    // The command name may hold spaces and parentheses; the fields after its closing one count.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    // starttime is field 22 of the line, the 20th after the command name.
    bool ok = false;
    const quint64 start = fields.size() > 19 ? fields.at(19).toULongLong(&ok) : 0;
    return ok ? start : std::numeric_limits<quint64>::max();
}

QString ProcessFacts::toolkitOf(qint64 processIdentifier)
{
    // A large application maps a few thousand regions: a few hundred kilobytes at most.
    const std::optional<QByteArray> maps = readProcFile(processIdentifier, "maps", 4 * 1024 * 1024);
    return maps ? toolkitAmong(*maps) : QString();
}

QString ProcessFacts::toolkitAmong(const QByteArray& memoryMap)
{
    // Most specific first: LibreOffice and Qt applications load GTK too, for their themes, and
    // LibreOffice's own back end decides whether it can be read at all.
    static const std::pair<const char*, const char*> libraries[] = {
        {"/libvclplug_genlo.so", "LibreOffice gen"},
        {"/libQt6Core.so", "Qt 6"},
        {"/libQt5Core.so", "Qt 5"},
        {"/libxul.so", "Gecko"},
        {"/libgtk-x11-2.0.so", "GTK 2"},
        {"/libgtk-3.so", "GTK 3"},
        {"/libgtk-4.so", "GTK 4"},
    };
    for (const auto& [library, toolkit] : libraries) {
        if (memoryMap.contains(library))
            return QLatin1String(toolkit);
    }
    return {};
}

} // namespace tavlen::linux_platform
