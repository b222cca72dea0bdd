#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavlen {

// The folders where data shared between programs is looked for, most important first, and when a
// file there last changed: what a reader needs to find a file the user may put in front of the
// system's, and to read it again only once it has changed.
class DataFolders {
public:
    virtual ~DataFolders() = default;

    // The user's data folder, then the system's ($XDG_DATA_HOME, then $XDG_DATA_DIRS), then the
    // one beside the running executable where that is none of them (a build tree, a prefix that
    // the session does not list).
    virtual QStringList searchPath() const = 0;

    // When the regular file at `path` last changed; none when there is no regular file there.
    virtual std::optional<QDateTime> lastModified(const QString& path) const = 0;
};

} // namespace tavlen
