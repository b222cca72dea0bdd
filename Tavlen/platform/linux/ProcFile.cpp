#include "platform/linux/ProcFile.h"

#include <QFile>

#include <algorithm>

namespace tavlen::linux_platform {

std::optional<QByteArray> readProcFile(qint64 processIdentifier, const char* name, qint64 limit)
{
    if (processIdentifier <= 0)
        return std::nullopt;
    QFile file(QStringLiteral("/proc/%1/%2").arg(processIdentifier).arg(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    constexpr qint64 pieceSize = 64 * 1024;
    QByteArray content;
    while (content.size() < limit) {
        const QByteArray piece = file.read(std::min(pieceSize, limit - content.size()));
        if (piece.isEmpty())
            break;
        content += piece;
    }
    return content;
}

} // namespace tavlen::linux_platform
