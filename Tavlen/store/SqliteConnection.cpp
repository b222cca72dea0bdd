#include "store/SqliteConnection.h"

#include <sqlite3.h>

namespace tavlen {
namespace {

int traceStatement(unsigned type, void* context, void* /*statement*/, void* sql)
{
    if (type == SQLITE_TRACE_STMT) {
        const auto* observer = static_cast<const SqliteConnection::StatementObserver*>(context);
        const char* text = static_cast<const char*>(sql);
        // Statements run by triggers are reported as "-- comment"; the store defines none, but
        // they are no statement of ours either way.
        if (*observer && text && !(text[0] == '-' && text[1] == '-'))
            (*observer)(QString::fromUtf8(text));
    }
    return 0;
}

} // namespace

ReusedStatement::ReusedStatement(SqliteStatement& kept, bool& lent) : m_statement(&kept), m_lent(&lent)
{
    lent = true;
}

ReusedStatement::ReusedStatement(SqliteStatement own) : m_own(std::move(own)), m_statement(&m_own)
{}

ReusedStatement::~ReusedStatement()
{
    if (m_lent) {
        m_statement->reset();
        *m_lent = false;
    }
}

std::unique_ptr<SqliteConnection> SqliteConnection::open(const QString& path, QString& error)
{
    sqlite3* db = nullptr;
    const QByteArray utf8 = path.toUtf8();
    const int rc = sqlite3_open_v2(utf8.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        error = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db);
        return nullptr;
    }
    return std::unique_ptr<SqliteConnection>(new SqliteConnection(db));
}

SqliteConnection::SqliteConnection(sqlite3* db) : m_db(db)
{}

SqliteConnection::~SqliteConnection()
{
    // Every other statement is finalized by its owner before this point, so once the kept ones
    // are gone the plain close succeeds.
    m_kept.clear();
    sqlite3_close(m_db);
}

std::optional<QString> SqliteConnection::execute(const QString& script)
{
    char* message = nullptr;
    const QByteArray utf8 = script.toUtf8();
    if (sqlite3_exec(m_db, utf8.constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return std::nullopt;
    QString description = message ? QString::fromUtf8(message) : lastError();
    sqlite3_free(message);
    return description;
}

SqliteStatement SqliteConnection::prepare(const QString& sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, utf8.constData(), static_cast<int>(utf8.size() + 1), &statement, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(statement);
        return SqliteStatement();
    }
    return SqliteStatement(statement);
}

ReusedStatement SqliteConnection::reuse(const QString& sql)
{
    const auto found = m_kept.find(sql);
    if (found != m_kept.end()) {
        if (found->second.lent)
            return ReusedStatement(prepare(sql));
        return ReusedStatement(found->second.statement, found->second.lent);
    }
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(m_db, utf8.constData(), static_cast<int>(utf8.size() + 1),
                           SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
        // Not kept: the next use tries again, and lastError() says why this one failed.
        sqlite3_finalize(statement);
        return ReusedStatement(SqliteStatement());
    }
    Kept& kept = m_kept.emplace(sql, Kept{SqliteStatement(statement), false}).first->second;
    return ReusedStatement(kept.statement, kept.lent);
}

void SqliteConnection::setBusyTimeout(std::chrono::milliseconds timeout)
{
    sqlite3_busy_timeout(m_db, static_cast<int>(timeout.count()));
}

bool SqliteConnection::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

QString SqliteConnection::lastError() const
{
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}

void SqliteConnection::setStatementObserver(StatementObserver observer)
{
    m_observer = std::move(observer);
    if (m_observer)
        sqlite3_trace_v2(m_db, SQLITE_TRACE_STMT, &traceStatement, &m_observer);
    else
        sqlite3_trace_v2(m_db, 0, nullptr, nullptr);
}

} // namespace tavlen
