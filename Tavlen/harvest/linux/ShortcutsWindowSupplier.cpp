#include "harvest/linux/ShortcutsWindowSupplier.h"

#include "harvest/MessageLanguages.h"
#include "harvest/linux/ShortcutsWindowGroups.h"
#include "platform/linux/ElfSections.h"
#include "platform/linux/GResourceBundle.h"
#include "platform/linux/ProcFile.h"
#include "platform/linux/ProcessMaps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace tavlen::linux_harvest {

namespace {

// Programs come and go over a session and each loads a few hundred libraries; past this many
// files the kept scans are dropped and made again as needed.
constexpr qsizetype MAX_KEPT_FILES = 8192;
constexpr qsizetype MAX_KEPT_CATALOGS = 256;
// The largest shortcuts windows are tens of kilobytes.
constexpr qsizetype MAX_BUILDER_FILE_SIZE = 4 * 1024 * 1024;
// Catalogs of whole desktop programs stay below a few megabytes.
constexpr qint64 MAX_CATALOG_SIZE = 32 * 1024 * 1024;

QHash<QString, QString> environmentOf(qint64 processIdentifier)
{
    QHash<QString, QString> environment;
    const std::optional<QByteArray> variables = linux_platform::readProcFile(processIdentifier, "environ");
    if (!variables)
        return environment;
    for (const QByteArray& variable : variables->split('\0')) {
        const qsizetype equals = variable.indexOf('=');
        if (equals > 0)
            environment.insert(QString::fromLocal8Bit(variable.left(equals)),
                               QString::fromLocal8Bit(variable.mid(equals + 1)));
    }
    return environment;
}

// Where the files a process names are seen from here: a program in a sandbox of its own (Flatpak)
// names the files of its own mount namespace, which are reached through its root. Empty when it
// shares Tavlen's root, or its root cannot be looked at.
QString rootOf(qint64 processIdentifier)
{
    const QString root = QStringLiteral("/proc/%1/root").arg(processIdentifier);
    struct stat own {};
    struct stat theirs {};
    if (::stat("/", &own) != 0 || ::stat(QFile::encodeName(root).constData(), &theirs) != 0)
        return {};
    return own.st_dev == theirs.st_dev && own.st_ino == theirs.st_ino ? QString() : root;
}

// The installation prefix of a program file: /usr for /usr/bin/app or /usr/libexec/app.
QString prefixOf(const QString& executable)
{
    return QFileInfo(QFileInfo(executable).absolutePath()).absolutePath();
}

} // namespace

QList<ShortcutsWindowFile> ShortcutsWindowSupplier::windowsInFile(const QString& path)
{
    QList<ShortcutsWindowFile> windows;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0)
        return windows;
    // Mapped, not read: only the header, the section table and the resource sections are
    // touched, however large the library.
    const uchar* mapped = file.map(0, file.size());
    if (!mapped)
        return windows;
    const QByteArrayView bytes(reinterpret_cast<const char*>(mapped), file.size());
    for (const linux_platform::ElfSection& section :
         linux_platform::ElfSections::named(bytes, ".gresource.")) {
        const linux_platform::GResourceBundle bundle(bytes.sliced(section.offset, section.size));
        for (const QString& resource : bundle.paths()) {
            if (!resource.endsWith(QLatin1String(".ui")))
                continue;
            const QByteArray contents = bundle.file(resource, MAX_BUILDER_FILE_SIZE);
            if (!ShortcutsWindowFile::mayHoldWindow(contents))
                continue;
            if (std::optional<ShortcutsWindowFile> window = ShortcutsWindowFile::parse(contents))
                windows.append(std::move(*window));
        }
    }
    file.unmap(const_cast<uchar*>(mapped));
    return windows;
}

std::optional<ShortcutsWindowSupplier::FileVersion> ShortcutsWindowSupplier::versionOf(const QString& path)
{
    // stat itself: QFileInfo's times are local times, whose conversion cost more than the
    // whole rest of a read.
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return FileVersion{quint64(status.st_dev), quint64(status.st_ino), qint64(status.st_size),
                       qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

QList<ShortcutsWindowFile> ShortcutsWindowSupplier::windowsOf(const QString& path)
{
    const std::optional<FileVersion> version = versionOf(path);
    if (!version)
        return {};
    const auto kept = m_files.constFind(path);
    if (kept != m_files.constEnd() && kept->version == *version)
        return kept->windows;
    if (m_files.size() >= MAX_KEPT_FILES)
        m_files.clear();
    ++m_fileScans;
    const QList<ShortcutsWindowFile> windows = windowsInFile(path);
    m_files.insert(path, ScannedFile{*version, windows});
    return windows;
}

std::shared_ptr<const MessageCatalog> ShortcutsWindowSupplier::catalog(const QString& path)
{
    const std::optional<FileVersion> version = versionOf(path);
    if (!version || version->size > MAX_CATALOG_SIZE)
        return nullptr;
    const auto kept = m_catalogs.constFind(path);
    if (kept != m_catalogs.constEnd() && kept->version == *version)
        return kept->catalog;
    if (m_catalogs.size() >= MAX_KEPT_CATALOGS)
        m_catalogs.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    auto loaded = std::make_shared<const MessageCatalog>(file.readAll());
    m_catalogs.insert(path, LoadedCatalog{*version, loaded});
    return loaded;
}

QList<std::shared_ptr<const MessageCatalog>> ShortcutsWindowSupplier::catalogs(const QString& domain,
                                                                               const QStringList& languages,
                                                                               const QStringList& prefixes)
{
    QList<std::shared_ptr<const MessageCatalog>> found;
    if (domain.isEmpty() || domain.contains(QLatin1Char('/')))
        return found;
    for (const QString& language : languages) {
        for (const QString& prefix : prefixes) {
            const QString path =
                QStringLiteral("%1/share/locale/%2/LC_MESSAGES/%3.mo").arg(prefix, language, domain);
            if (std::shared_ptr<const MessageCatalog> loaded = catalog(path); loaded && !loaded->isEmpty()) {
                found.append(loaded);
                break;
            }
        }
    }
    return found;
}

QList<MenuItem> ShortcutsWindowSupplier::groups(const SupplierRequest& request, const QList<MenuItem>& menus)
{
    const QStringList files = linux_platform::ProcessMaps::codeFilesOf(request.processIdentifier);
    if (files.isEmpty())
        return {};
    const QString root = rootOf(request.processIdentifier);
    QList<ShortcutsWindowFile> windows;
    for (const QString& file : files)
        windows.append(windowsOf(root + file));
    if (windows.isEmpty())
        return {};

    const QString executable =
        QFileInfo(QStringLiteral("/proc/%1/exe").arg(request.processIdentifier)).symLinkTarget();
    const QStringList languages = messageLanguages(environmentOf(request.processIdentifier));
    QStringList prefixes;
    for (const QString& prefix : {prefixOf(executable.isEmpty() ? files.first() : executable),
                                  QStringLiteral("/usr"), QStringLiteral("/usr/local")}) {
        if (!prefixes.contains(root + prefix))
            prefixes.append(root + prefix);
    }

    // A builder file without a domain of its own is translated in the program's: the one it
    // passes to textdomain(), which GNOME programs name after themselves (GETTEXT_PACKAGE, most
    // often the executable's name), sometimes after their application id.
    QStringList ownDomains{QFileInfo(executable).fileName(), request.applicationIdentifier,
                           request.applicationIdentifier.toLower()};
    ownDomains.removeAll(QString());
    ownDomains.removeDuplicates();
    QHash<QString, QList<std::shared_ptr<const MessageCatalog>>> domainCatalogs;
    const auto catalogsOf = [&](const QString& domain) {
        auto found = domainCatalogs.find(domain);
        if (found != domainCatalogs.end())
            return *found;
        QList<std::shared_ptr<const MessageCatalog>> list;
        if (!domain.isEmpty()) {
            list = catalogs(domain, languages, prefixes);
        } else {
            for (const QString& own : ownDomains) {
                list = catalogs(own, languages, prefixes);
                if (!list.isEmpty())
                    break;
            }
        }
        domainCatalogs.insert(domain, list);
        return list;
    };
    const BuilderTranslator translate = [&](const QString& domain, const BuilderText& text) {
        if (!text.translatable || languages.isEmpty())
            return text.text;
        for (const std::shared_ptr<const MessageCatalog>& catalog : catalogsOf(domain)) {
            const QString translated = catalog->translate(text.context, text.text);
            if (translated != text.text)
                return translated;
        }
        return text.text;
    };
    return shortcutsWindowGroups(windows, translate, menus);
}

} // namespace tavlen::linux_harvest
