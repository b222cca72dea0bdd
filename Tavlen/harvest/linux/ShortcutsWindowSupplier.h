#pragma once

#include "harvest/MessageCatalog.h"
#include "harvest/ShortcutSupplier.h"
#include "harvest/ShortcutsWindowFile.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace tavlen::linux_harvest {

// The keys a program lists in its own shortcuts window (GtkShortcutsWindow), which GTK 3
// header-bar and GTK 4 programs have in place of a menu bar: found in the GLib resources
// compiled into the program and the libraries it loaded (".gresource.*" sections of the ELF
// files that /proc/PID/maps names), translated through the program's gettext catalogs in the
// program's own language.
//
// Each file is scanned once per modification: the scans are kept by path, modification time and
// size, so that a read (one per panel opened) costs a look at /proc and a stat per file.
class ShortcutsWindowSupplier final : public ShortcutSupplier {
public:
    QString sourceName() const override { return QStringLiteral("shortcuts window"); }
    QList<MenuItem> groups(const SupplierRequest& request, const QList<MenuItem>& menus) override;

    // How many times an ELF file was read for its resources since this supplier was made.
    qsizetype fileScans() const { return m_fileScans; }

    // The shortcuts windows in one ELF file's resource sections.
    static QList<ShortcutsWindowFile> windowsInFile(const QString& path);

private:
    // What tells one version of a file from another without reading it.
    struct FileVersion {
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        friend bool operator==(const FileVersion&, const FileVersion&) = default;
    };
    struct ScannedFile {
        FileVersion version;
        QList<ShortcutsWindowFile> windows;
    };
    struct LoadedCatalog {
        FileVersion version;
        std::shared_ptr<const MessageCatalog> catalog;
    };

    static std::optional<FileVersion> versionOf(const QString& path);

    QList<ShortcutsWindowFile> windowsOf(const QString& path);
    std::shared_ptr<const MessageCatalog> catalog(const QString& path);
    // The catalogs of a domain, best language first, from the folders a program installed
    // under `prefixes` would bind it to.
    QList<std::shared_ptr<const MessageCatalog>> catalogs(const QString& domain, const QStringList& languages,
                                                          const QStringList& prefixes);

    QHash<QString, ScannedFile> m_files;
    QHash<QString, LoadedCatalog> m_catalogs;
    qsizetype m_fileScans = 0;
};

} // namespace tavlen::linux_harvest
