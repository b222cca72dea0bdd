#include "store/SqliteStatement.h"

#include <cstring>
#include <sqlite3.h>
#include <utility>

namespace tavlen {

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_statement(std::exchange(other.m_statement, nullptr))
{}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_statement);
        m_statement = std::exchange(other.m_statement, nullptr);
    }
    return *this;
}

bool SqliteStatement::bind(std::initializer_list<SqlValue> values)
{
    if (!m_statement)
        return false;
    int index = 1;
    for (const SqlValue& value : values) {
        int rc = SQLITE_OK;
        if (const auto* number = std::get_if<qint64>(&value)) {
            rc = sqlite3_bind_int64(m_statement, index, *number);
        } else {
            const QByteArray utf8 = std::get<QString>(value).toUtf8();
            // SQLITE_TRANSIENT: SQLite copies the bytes, the temporary may go.
            rc = sqlite3_bind_text64(m_statement, index, utf8.constData(),
                                     static_cast<sqlite3_uint64>(utf8.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
        }
        if (rc != SQLITE_OK)
            return false;
        ++index;
    }
    return true;
}

SqliteStatement::Step SqliteStatement::step()
{
    if (!m_statement)
        return Step::Error;
    switch (sqlite3_step(m_statement)) {
    case SQLITE_ROW:
        return Step::Row;
    case SQLITE_DONE:
        return Step::Done;
    default:
        return Step::Error;
    }
}

bool SqliteStatement::run()
{
    Step result = step();
    while (result == Step::Row)
        result = step();
    return result == Step::Done;
}

void SqliteStatement::reset()
{
    if (!m_statement)
        return;
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

int SqliteStatement::columnCount() const
{
    return m_statement ? sqlite3_column_count(m_statement) : 0;
}

std::optional<int> SqliteStatement::columnIndex(const char* name) const
{
    const int count = columnCount();
    for (int i = 0; i < count; ++i) {
        const char* column = sqlite3_column_name(m_statement, i);
        if (column && std::strcmp(column, name) == 0)
            return i;
    }
    return std::nullopt;
}

std::optional<QString> SqliteStatement::text(int column) const
{
    if (!m_statement || column < 0 || column >= columnCount() ||
        sqlite3_column_type(m_statement, column) != SQLITE_TEXT)
        return std::nullopt;
    // The pointer first, then the length: asking for the bytes after the text is the order
    // SQLite documents as safe.
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    const int length = sqlite3_column_bytes(m_statement, column);
    if (!bytes)
        return QString();
    return QString::fromUtf8(bytes, length);
}

std::optional<qint64> SqliteStatement::integer(int column) const
{
    if (!m_statement || column < 0 || column >= columnCount() ||
        sqlite3_column_type(m_statement, column) != SQLITE_INTEGER)
        return std::nullopt;
    return sqlite3_column_int64(m_statement, column);
}

} // namespace tavlen
