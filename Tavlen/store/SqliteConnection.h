#pragma once

#include "store/SqliteStatement.h"

#include <QString>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>

struct sqlite3;

namespace tavlen {

// A statement that its connection keeps compiled, lent out for one use. It is reset when the
// loan ends, so that a query stopped before its last row does not keep the database locked
// between uses.
class ReusedStatement {
public:
    ~ReusedStatement();
    ReusedStatement(const ReusedStatement&) = delete;
    ReusedStatement& operator=(const ReusedStatement&) = delete;

    SqliteStatement& operator*() { return *m_statement; }
    SqliteStatement* operator->() { return m_statement; }

private:
    friend class SqliteConnection;
    // Lends a kept statement; `lent` stays true until the loan ends.
    ReusedStatement(SqliteStatement& kept, bool& lent);
    // Holds a statement of its own, for when the kept one is out or could not be compiled.
    explicit ReusedStatement(SqliteStatement own);

    SqliteStatement m_own;
    SqliteStatement* m_statement;
    bool* m_lent = nullptr;
};

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

    // The same, for statements run again and again: compiled on first use and kept as long as
    // the connection. A statement that is already lent out is compiled afresh for the nested use.
    ReusedStatement reuse(const QString& sql);

    // How long a statement that finds the database locked by another connection keeps trying
    // before it fails with "database is locked". Zero, the default, fails at once.
    void setBusyTimeout(std::chrono::milliseconds timeout);

    // True between BEGIN and the end of the transaction, whether that end is a COMMIT, a
    // ROLLBACK or SQLite rolling back by itself after an error such as a full disk.
    bool inTransaction() const;

    QString lastError() const;

    void setStatementObserver(StatementObserver observer);

private:
    explicit SqliteConnection(sqlite3* db);

    struct Kept {
        SqliteStatement statement;
        bool lent = false;
    };

    sqlite3* m_db;
    StatementObserver m_observer;
    // Node-based, so a lent statement stays where it is while others are added.
    std::map<QString, Kept> m_kept;
};

} // namespace tavlen
