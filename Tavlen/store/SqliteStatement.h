#pragma once

#include <QString>
#include <QtGlobal>
#include <initializer_list>
#include <optional>
#include <variant>

struct sqlite3_stmt;

namespace tavlen {

// A value bound to a "?" parameter. Booleans go in as the integers 0 and 1.
using SqlValue = std::variant<qint64, QString>;

// One prepared statement. Text is bound and read as UTF-8 with explicit byte lengths, so text
// with embedded NUL characters or any other content survives unchanged.
class SqliteStatement {
public:
    enum class Step { Row, Done, Error };

    SqliteStatement() = default;
    explicit SqliteStatement(sqlite3_stmt* statement) : m_statement(statement) {}
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool isValid() const { return m_statement != nullptr; }

    // Binds the values to the parameters 1, 2, … in order; false when one cannot be bound.
    bool bind(std::initializer_list<SqlValue> values);

    Step step();

    // Steps to completion, for statements that return no rows.
    bool run();

    // Makes the statement ready to run again with new values. Until then a statement that
    // stopped before its last row keeps its read of the database open.
    void reset();

    int columnCount() const;
    // The index of the result column of that name, or none.
    std::optional<int> columnIndex(const char* name) const;
    // The value of a column of the current row when it has that SQLite storage class; none
    // otherwise (no conversion between storage classes is made).
    std::optional<QString> text(int column) const;
    std::optional<qint64> integer(int column) const;

private:
    sqlite3_stmt* m_statement = nullptr;
};

} // namespace tavlen
