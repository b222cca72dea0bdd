#pragma once

#include "harvest/HarvestSettings.h"
#include "store/CustomHotkeyRow.h"
#include "store/HotkeyState.h"
#include "store/SqliteConnection.h"
#include "store/StoreTransaction.h"
#include "store/StoreWrite.h"

#include <QList>
#include <QString>
#include <chrono>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>
#include <variant>

namespace tavlen {

class FileLocations;
class FileSystem;

// The shortcut store: one SQLite file in the group container holding the applications met so
// far, the flags and use counts of harvested menu elements, and the custom shortcuts.
//
// Construction finds or creates the file, opens it and brings the schema up to date; any
// failure there throws StoreStartupError with the message for the user. After that no
// operation throws: reads that fail return empty lists, and writes report what happened in a
// StoreWrite that callers other than the importer may ignore.
class DatabaseManager {
public:
    using StatementObserver = SqliteConnection::StatementObserver;

    static constexpr char appName[] = "Tavlen";
    static constexpr char dbFileName[] = "Tavlen.sqlitedb";
    // tavlen and tavlenctl write the same file: a write that finds it locked by the other waits
    // this long before it fails. An import holds the lock for a fraction of a second.
    static constexpr std::chrono::milliseconds busyTimeout{2000};

    // `observer`, when given, sees the statements of the start-up too.
    DatabaseManager(FileLocations& locations, FileSystem& files, StatementObserver observer = {});
    ~DatabaseManager();
    DatabaseManager(const DatabaseManager&) = delete;
    DatabaseManager& operator=(const DatabaseManager&) = delete;

    // Where the database lives below the group container; none when there is no container.
    static std::optional<QString> databasePath(const FileLocations& locations);
    const QString& path() const { return m_path; }

    // Every statement sent from now on is passed to the observer as its SQL text, with "?"
    // where values are bound. An empty observer stops the reports.
    void setStatementObserver(StatementObserver observer);

    // Makes the operations that follow, until it commits or goes, one transaction. At most one
    // at a time; while it is open, no other code may use the store.
    StoreTransaction beginTransaction() { return StoreTransaction(*m_db); }

    // saveApp for a harvest, which does not want to know of the store; failures go unreported,
    // as the harvest goes on either way. The manager must outlive the recorder.
    ApplicationRecorder applicationRecorder();
    StoreWrite saveApp(const QString& identifier, const QString& title);
    // (identifier, title) of every application but "global", ordered by title.
    QList<std::pair<QString, QString>> getApps();
    // The importer's check whether an application row exists: the number of rows, or what failed.
    std::variant<qint64, QString> appCount(const QString& identifier);

    StoreWrite saveHotkeyState(const QString& appId, const QString& title, const QString& keys,
                               bool isBookmarked, bool isHidden);
    QList<HotkeyState> getHotkeyStates(const QString& appId);
    StoreWrite incrementHotkeyUsage(const QString& appId, const QString& title, const QString& keys);

    QList<CustomHotkeyRow> getCustomHotkeys(const QString& appId, bool includeDisabled);

    // Every custom shortcut of one application for an export, which must not leave anything out
    // unsaid: the rows that can be read and how many could not, or why none could be read.
    struct CustomHotkeyReading {
        QList<CustomHotkeyRow> rows;
        qint64 unreadable = 0;
    };
    std::variant<CustomHotkeyReading, QString> readCustomHotkeys(const QString& appId);
    StoreWrite saveCustomHotkey(const QString& appId, const QString& uuid, const QString& title,
                                const QString& value, qint64 rawValue, qint64 rawModifier, bool isEnabled,
                                bool isBookmarked);
    StoreWrite importCustomHotkey(const QString& appId, const QString& title, const QString& value,
                                  qint64 rawValue, qint64 rawModifier, bool isEnabled, bool isBookmarked);
    StoreWrite deleteCustomHotkey(const QString& appId, const QString& uuid);
    StoreWrite saveCustomHotkeyState(const QString& appId, const QString& uuid, bool isEnabled,
                                     bool isBookmarked);
    StoreWrite incrementCustomHotkeyUsage(const QString& appId, const QString& uuid);

private:
    void runMigrations();

    // Count-then-write: the count decides, and when the count itself fails nothing is written.
    // Both keep their statements compiled, since an import runs them once per shortcut.
    std::variant<qint64, QString> count(const QString& sql, std::initializer_list<SqlValue> values);
    StoreWrite write(const QString& sql, std::initializer_list<SqlValue> values);
    // The tables have no unique keys that would let SQLite choose (stored files keep their schema):
    // counts the rows `countSql` selects, then writes `insertSql` when there are none, else
    // `updateSql`.
    StoreWrite insertOrUpdate(const QString& countSql, std::initializer_list<SqlValue> countValues,
                              const QString& insertSql, std::initializer_list<SqlValue> insertValues,
                              const QString& updateSql, std::initializer_list<SqlValue> updateValues);
    // The writes that address one custom shortcut by its uuid: only when that row exists.
    StoreWrite writeCustomHotkey(const QString& appId, const QString& uuid, const QString& sql,
                                 std::initializer_list<SqlValue> values);

    QString m_path;
    std::unique_ptr<SqliteConnection> m_db;
};

} // namespace tavlen
