#pragma once

#include "harvest/ShortcutSupplier.h"
#include "harvest/linux/ShortcutList.h"

#include <QDateTime>
#include <QHash>

namespace tavlen {
class DataFolders;
class FileSystem;
} // namespace tavlen

namespace tavlen::linux_harvest {

class ShownKeys;

// The shortcuts of a list file for the application (docs/shortcut-lists.md): `<id>.json` in
// `tavlen/shortcuts/` below the first data folder that has one, so that a user's list stands in
// for the one Tavlen ships. Its groups follow the menus; a listed shortcut whose keys a menu entry
// already shows is left out, as that entry says the same and can be pressed, and a list never
// takes anything away from the menus.
class ShortcutListSupplier final : public ShortcutSupplier {
public:
    ShortcutListSupplier(const DataFolders& folders, const FileSystem& files);

    QString sourceName() const override;
    QList<MenuItem> groups(const SupplierRequest& request, const QList<MenuItem>& menus) override;

    // Where the list of the application is, whichever folder it is in; none when there is none,
    // or when the id could not name a file.
    std::optional<QString> listFile(const QString& applicationIdentifier) const;

    // The groups of a list, less the shortcuts whose keys the menus show.
    static QList<MenuItem> groupsOf(const ShortcutList& list, const ShownKeys& shownKeys);

private:
    struct Cached {
        QDateTime modified;
        ShortcutList list;
    };

    const ShortcutList* read(const QString& path, const QDateTime& modified);

    const DataFolders& m_folders;
    const FileSystem& m_files;
    // Parsed lists by path, each as of its file's modification time: a list read once is parsed
    // again only after its file has changed.
    QHash<QString, Cached> m_cache;
};

} // namespace tavlen::linux_harvest
