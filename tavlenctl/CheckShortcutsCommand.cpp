#include "CheckShortcutsCommand.h"

#include "ConsoleOutput.h"
#include "ExitStatus.h"
#include "harvest/linux/ShortcutListParser.h"
#include "platform/FileSystem.h"

#include <QFileInfo>

namespace tavlen::ctl {

int runCheckShortcuts(const QStringList& arguments, const FileSystem& files)
{
    if (arguments.size() != 1 || arguments.first().startsWith(QLatin1Char('-'))) {
        printError(QStringLiteral("usage: tavlenctl check-shortcuts FILE"));
        return Usage;
    }
    const QString& path = arguments.first();
    const FileResult<QByteArray> bytes = files.readAll(path);
    if (const FileError* error = std::get_if<FileError>(&bytes)) {
        printError(QStringLiteral("%1: %2").arg(path, error->description));
        return Failed;
    }
    using linux_harvest::ShortcutListError;
    using linux_harvest::ShortcutListParser;
    using linux_harvest::ShortcutListReading;
    ShortcutListReading reading = ShortcutListParser::parse(std::get<QByteArray>(bytes));
    // Tavlen finds a list by its file name alone: a list named for another application is never
    // found for the one it says.
    const QString fileIdentifier = QFileInfo(path).completeBaseName();
    if (reading.list && !reading.list->application.isEmpty() && reading.list->application != fileIdentifier)
        reading.errors.append({QStringLiteral("application"),
                               QStringLiteral("the list is for \"%1\", but Tavlen looks for it in "
                                              "\"%1.json\", not \"%2\"")
                                   .arg(reading.list->application, QFileInfo(path).fileName())});
    for (const ShortcutListError& error : reading.errors) {
        if (error.location.isEmpty())
            printError(QStringLiteral("%1: %2").arg(path, error.message));
        else
            printError(QStringLiteral("%1:%2: %3").arg(path, error.location, error.message));
    }
    if (!reading.errors.isEmpty())
        return Failed;
    qsizetype shortcuts = 0;
    for (const linux_harvest::ListedGroup& group : reading.list->groups) {
        for (const linux_harvest::ListedShortcut& shortcut : group.shortcuts)
            shortcuts += shortcut.accelerators.size();
    }
    const qsizetype groups = reading.list->groups.size();
    printOut(QStringLiteral("%1: %2 %3, %4 %5")
                 .arg(path)
                 .arg(groups)
                 .arg(groups == 1 ? QStringLiteral("group") : QStringLiteral("groups"))
                 .arg(shortcuts)
                 .arg(shortcuts == 1 ? QStringLiteral("shortcut") : QStringLiteral("shortcuts")));
    return Done;
}

} // namespace tavlen::ctl
