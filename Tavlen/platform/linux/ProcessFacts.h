#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace tavlen::linux_platform {

// What /proc tells about a process of the same user: enough to name the application it runs
// when its windows say nothing.
class ProcessFacts {
public:
    ProcessFacts() = delete;

    // The program file, without folder; empty when the process cannot be read.
    static QString executableOf(qint64 processIdentifier);
    // For a process that is an interpreter running a script (python3 meld, gjs main.js): the
    // script's name; empty for any other process.
    static QString scriptOf(qint64 processIdentifier);
    // The desktop entry id (without ".desktop") that the launcher wrote into the process's
    // environment (GIO_LAUNCHED_DESKTOP_FILE); empty when it was started otherwise.
    static QString launchedDesktopEntryOf(qint64 processIdentifier);
    // Clock ticks after boot at which the process started; processes that cannot be read sort
    // last.
    static quint64 startTimeOf(qint64 processIdentifier);
    // The user-interface toolkit the process has loaded ("GTK 2", "Qt 5", "LibreOffice gen", ...):
    // says, for an application that never joined the accessibility bus, how to make it join.
    // Empty when none is recognised or the process cannot be read.
    static QString toolkitOf(qint64 processIdentifier);
    // The same from the text of a process's memory map (/proc/PID/maps).
    static QString toolkitAmong(const QByteArray& memoryMap);
};

} // namespace tavlen::linux_platform
