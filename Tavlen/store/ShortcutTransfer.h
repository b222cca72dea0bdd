#pragma once

#include "store/ExportRow.h"

#include <QList>
#include <QString>
#include <optional>

namespace tavlen {

class ApplicationDirectory;
class Clock;
class DatabaseManager;
class FileSystem;
class KeyboardLayout;

// Custom shortcuts to and from export files (".tavlen", JSON): an object keyed by application
// identifier, each holding one caption whose value is the list of [title, modifier words,
// key code] triples.
namespace transfer {

inline constexpr char FILE_EXTENSION[] = "tavlen";
inline constexpr char IMPORT_ALERT_TITLE[] = "Tavlen Import file";
inline constexpr char MULTIPLE_FILES_MESSAGE[] = "Can only process a single file at the time.";

// The custom shortcuts of one application, disabled ones included, in the store's order.
QList<ExportRow> exportRows(const QString& appIdentifier, DatabaseManager& store);

// Writes one application's shortcuts (all false; written even when there are none) or those of
// "global" and of every application that has some (all true). The file is replaced atomically,
// so a failed write leaves an earlier file as it was. Returns what failed.
// What an export wrote: the shortcuts, and the stored rows it had to leave out because they
// could not be read (edited by hand, say).
struct ExportSummary {
    qint64 exported = 0;
    qint64 leftOut = 0;
};

std::optional<QString> exportShortcuts(const QString& appTitle, const QString& appIdentifier,
                                       const QString& filePath, bool all, DatabaseManager& store,
                                       FileSystem& files, ExportSummary* summary = nullptr);

// Imports one export file. Entries that cannot be stored are skipped. Returns nothing on
// success, or the error text for the alert: it starts with a line feed, and it is also given
// when a store write failed (the other entries are imported all the same).
// The whole file goes into the store as one transaction, so an import that ends half-way (the
// store lost the transaction, an exception, the process killed) leaves the store as it was. It
// waits for another process's write to end for the store's busy timeout.
// `useCurrentLayout` is the setting showLocalizedCustomShortcuts: it decides which keyboard
// layout names the keys in the trigger texts.
std::optional<QString> importFile(const QString& filePath, DatabaseManager& store, bool useCurrentLayout,
                                  const FileSystem& files, const KeyboardLayout& keyboard,
                                  const ApplicationDirectory& applications, const Clock& clock);

// The title for an application row the importer creates: "Global Custom Shortcuts" for
// "global", the installed application's name, or none.
std::optional<QString> applicationName(const QString& identifier, const ApplicationDirectory& applications);

// "shift+command" and the like to an event-flag mask; unknown words are ignored.
qint64 modifierMask(const QString& words);

// The message of the alert that reports an import.
QString importResultMessage(const QString& filePath, const std::optional<QString>& error);

} // namespace transfer
} // namespace tavlen
