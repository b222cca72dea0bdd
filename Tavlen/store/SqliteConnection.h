#pragma once

#include "store/SqliteStatement.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

struct sqlite3;

namespace tavlen {

// One open SQLite connection, closed when the object goes.
class SqliteConnection {
public:
    // Receives the SQL text of every statement as it starts to run.
    using StatementObserver = std::function<void(const QString& sql)>;

    // Opens an existing database file for reading and writing; never creates one. On failure
    // returns null and puts SQLite's description into `error`.
    static std::unique_ptr<SqliteConnection> open(const QString& path, QString& error);

    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Runs a script of statements separated by semicolons, in order, stopping at the first that
    // fails. Returns the failure's description.
    std::optional<QString> execute(const QString& script);

    // An invalid statement when the text does not compile; lastError() then says why.
    SqliteStatement prepare(const QString& sql);

    QString lastError() const;

    void setStatementObserver(StatementObserver observer);

private:
    explicit SqliteConnection(sqlite3* db);

    sqlite3* m_db;
    StatementObserver m_observer;
};

} // namespace tavlen
