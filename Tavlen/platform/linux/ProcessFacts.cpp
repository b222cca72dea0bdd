#include "platform/linux/ProcessFacts.h"

#include "platform/linux/ApplicationIdResolver.h"

#include <QFile>
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
    QFile comm(proc + QStringLiteral("comm"));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

QString ProcessFacts::launchedDesktopEntryOf(qint64 processIdentifier)
{
    if (processIdentifier <= 0)
        return {};
    QFile environ(QStringLiteral("/proc/%1/environ").arg(processIdentifier));
    if (!environ.open(QIODevice::ReadOnly))
        return {};
    static const QByteArray key = QByteArrayLiteral("GIO_LAUNCHED_DESKTOP_FILE=");
    const QList<QByteArray> variables = environ.readAll().split('\0');
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
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(processIdentifier));
    if (processIdentifier <= 0 || !cmdline.open(QIODevice::ReadOnly))
        return {};
    QStringList arguments;
    for (const QByteArray& argument : cmdline.read(64 * 1024).split('\0'))
        arguments << QString::fromLocal8Bit(argument);
    return ApplicationIdResolver::scriptOf(arguments);
}

quint64 ProcessFacts::startTimeOf(qint64 processIdentifier)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(processIdentifier));
    if (!stat.open(QIODevice::ReadOnly))
        return std::numeric_limits<quint64>::max();
    const QByteArray line = stat.readAll();
    // The command name may hold spaces and parentheses; the fields after its closing one count.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    // starttime is field 22 of the line, the 20th after the command name.
    bool ok = false;
    const quint64 start = fields.size() > 19 ? fields.at(19).toULongLong(&ok) : 0;
    return ok ? start : std::numeric_limits<quint64>::max();
}

} // namespace tavlen::linux_platform
