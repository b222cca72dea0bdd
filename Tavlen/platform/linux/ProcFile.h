#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <limits>
#include <optional>

namespace tavlen::linux_platform {

// One file of a process's folder in /proc ("maps", "stat"), at most `limit` bytes of it; none
// when there is no such process or the file cannot be read. A file of /proc tells no size, so
// it is read in pieces until it ends: one read of the largest size allowed would allocate all
// of it each time.
std::optional<QByteArray> readProcFile(qint64 processIdentifier, const char* name,
                                       qint64 limit = std::numeric_limits<qint64>::max());

} // namespace tavlen::linux_platform
