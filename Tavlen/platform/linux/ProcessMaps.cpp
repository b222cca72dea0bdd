#include "platform/linux/ProcessMaps.h"

#include "platform/linux/ProcFile.h"

#include <QSet>

namespace tavlen::linux_platform {

namespace {

// A process maps a few hundred regions; a listing far longer is not worth reading whole.
constexpr qint64 MAX_MAPS_SIZE = 16 * 1024 * 1024;

} // namespace

QStringList ProcessMaps::codeFiles(const QByteArray& maps)
{
    QStringList files;
    QSet<QByteArray> seen;
    const QByteArrayView listing(maps);
    qsizetype lineStart = 0;
    while (lineStart < listing.size()) {
        qsizetype lineEnd = listing.indexOf('\n', lineStart);
        if (lineEnd < 0)
            lineEnd = listing.size();
        const QByteArrayView line = listing.sliced(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        // address perms offset device inode path; the path may hold spaces.
        QByteArrayView fields[5];
        QByteArrayView rest = line;
        bool complete = true;
        for (QByteArrayView& field : fields) {
            rest = rest.trimmed();
            const qsizetype end = rest.indexOf(' ');
            if (end < 0) {
                complete = false;
                break;
            }
            field = rest.first(end);
            rest = rest.sliced(end);
        }
        const QByteArrayView path = rest.trimmed();
        if (!complete || fields[1].size() < 3 || fields[1][2] != 'x' || fields[4] == "0" ||
            !path.startsWith('/') || path.endsWith(" (deleted)"))
            continue;
        const QByteArray file = path.toByteArray();
        if (!seen.contains(file)) {
            seen.insert(file);
            files.append(QString::fromLocal8Bit(file));
        }
    }
    return files;
}

QStringList ProcessMaps::codeFilesOf(qint64 processIdentifier)
{
    const std::optional<QByteArray> maps = readProcFile(processIdentifier, "maps", MAX_MAPS_SIZE);
    return maps ? codeFiles(*maps) : QStringList();
}

} // namespace tavlen::linux_platform
