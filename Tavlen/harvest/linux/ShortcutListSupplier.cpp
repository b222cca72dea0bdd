#include "harvest/linux/ShortcutListSupplier.h"

#include "harvest/linux/ShortcutListParser.h"
#include "harvest/linux/ShortcutRange.h"
#include "harvest/linux/ShownKeys.h"
#include "harvest/linux/SuppliedGroup.h"
#include "platform/DataFolders.h"
#include "platform/FileSystem.h"

namespace tavlen::linux_harvest {
namespace {

const QString LIST_FOLDER = QStringLiteral("/tavlen/shortcuts/");

// The id goes into a file name: one that could name another folder's file is no id.
bool isFileNameSafe(const QString& identifier)
{
    return !identifier.isEmpty() && !identifier.contains(QLatin1Char('/')) &&
           !identifier.contains(QChar(0)) && identifier != QLatin1String(".") &&
           identifier != QLatin1String("..");
}

} // namespace

ShortcutListSupplier::ShortcutListSupplier(const DataFolders& folders, const FileSystem& files)
    : m_folders(folders), m_files(files)
{}

QString ShortcutListSupplier::sourceName() const
{
    return QStringLiteral("shortcut list");
}

std::optional<QString> ShortcutListSupplier::listFile(const QString& applicationIdentifier) const
{
    if (!isFileNameSafe(applicationIdentifier))
        return std::nullopt;
    for (const QString& folder : m_folders.searchPath()) {
        const QString path = folder + LIST_FOLDER + applicationIdentifier + QStringLiteral(".json");
        if (m_folders.lastModified(path))
            return path;
    }
    return std::nullopt;
}

QList<MenuItem> ShortcutListSupplier::groups(const SupplierRequest& request, const QList<MenuItem>& menus)
{
    const std::optional<QString> path = listFile(request.applicationIdentifier);
    if (!path)
        return {};
    const std::optional<QDateTime> modified = m_folders.lastModified(*path);
    if (!modified)
        return {};
    const ShortcutList* list = read(*path, *modified);
    if (!list)
        return {};
    return groupsOf(*list, ShownKeys(menus));
}

const ShortcutList* ShortcutListSupplier::read(const QString& path, const QDateTime& modified)
{
    const auto cached = m_cache.constFind(path);
    if (cached != m_cache.constEnd() && cached->modified == modified)
        return &cached->list;
    m_cache.remove(path);
    const FileResult<QByteArray> bytes = m_files.readAll(path);
    if (std::holds_alternative<FileError>(bytes))
        return nullptr;
    // A list with faults gives what has none; `tavlenctl check-shortcuts` names the faults.
    ShortcutListReading reading = ShortcutListParser::parse(std::get<QByteArray>(bytes));
    if (!reading.list)
        return nullptr;
    return &m_cache.insert(path, Cached{modified, std::move(*reading.list)})->list;
}

QList<MenuItem> ShortcutListSupplier::groupsOf(const ShortcutList& list, const ShownKeys& shownKeys)
{
    QList<MenuItem> groups;
    for (const ListedGroup& listed : list.groups) {
        SuppliedGroup group(listed.title);
        for (const ListedShortcut& shortcut : listed.shortcuts) {
            for (const QString& accelerator : shortcut.accelerators) {
                if (ShortcutRange::looksLikeRange(accelerator)) {
                    if (const std::optional<ShortcutRange> range = ShortcutRange::parse(accelerator))
                        group.addShown(shortcut.title, range->text());
                    continue;
                }
                if (!shownKeys.contains(accelerator))
                    group.add(shortcut.title, accelerator);
            }
        }
        if (!group.isEmpty())
            groups.append(group.group());
    }
    return groups;
}

} // namespace tavlen::linux_harvest
