#pragma once

#include "store/StoreWrite.h"

#include <QString>
#include <optional>

namespace tavlen {

class SqliteConnection;

// The writes of one job, an import, as a single SQLite transaction: afterwards either all of
// them are in the file or none is, whether the job fails, throws or its process dies half-way.
// It also spares the disk a sync per statement.
//
// BEGIN IMMEDIATE takes the write lock at once (waiting out another writer for the connection's
// busy timeout), so the job cannot fail half-way for want of it. Without commit() the
// transaction is rolled back when the object goes.
class StoreTransaction {
public:
    explicit StoreTransaction(SqliteConnection& db);
    ~StoreTransaction();
    StoreTransaction(const StoreTransaction&) = delete;
    StoreTransaction& operator=(const StoreTransaction&) = delete;

    // Why BEGIN failed, most often another writer holding the lock past the busy timeout.
    const std::optional<QString>& beginError() const { return m_beginError; }

    // From a successful BEGIN until commit(), and not after SQLite has rolled the whole
    // transaction back by itself, as some errors make it do (a full disk, an I/O error, a
    // trigger's RAISE(ROLLBACK)): everything written since BEGIN is gone then.
    bool isOpen() const;

    // Runs `writes` (returning a StoreWrite) in a savepoint: when they fail, what they wrote is
    // undone and the transaction goes on without it. If they throw, the savepoint is left to the
    // rollback of the whole transaction.
    template <typename Writes>
    StoreWrite savepoint(Writes&& writes)
    {
        if (auto error = beginSavepoint())
            return StoreWrite::failure(std::move(*error));
        StoreWrite result = writes();
        endSavepoint(result);
        return result;
    }

    // Why COMMIT failed; the transaction then stays open and is rolled back at the end.
    std::optional<QString> commit();

private:
    std::optional<QString> beginSavepoint();
    void endSavepoint(StoreWrite& result);

    SqliteConnection& m_db;
    std::optional<QString> m_beginError;
    bool m_open = false;
};

} // namespace tavlen
