#pragma once

#include <QByteArray>
#include <QStringList>
#include <QtGlobal>

namespace tavlen::linux_platform {

// The program files a process runs: its executable and the shared libraries it loaded, from
// /proc/PID/maps.
class ProcessMaps {
public:
    ProcessMaps() = delete;

    // The files of a maps listing that the process executes code from, each once, in the order
    // of their first mapping. Files deleted since they were mapped (an upgrade replaced them)
    // are left out: what is at their path now is another file.
    static QStringList codeFiles(const QByteArray& maps);

    // The same for a running process; empty when it cannot be read.
    static QStringList codeFilesOf(qint64 processIdentifier);
};

} // namespace tavlen::linux_platform
