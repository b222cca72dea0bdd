#include "store/StoreTransaction.h"

#include "store/SqliteConnection.h"

namespace tavlen {
namespace {

std::optional<QString> run(SqliteConnection& db, const QString& sql)
{
    ReusedStatement statement = db.reuse(sql);
    if (!statement->run())
        return db.lastError();
    return std::nullopt;
}

QString transactionLost()
{
    return QStringLiteral("the transaction was rolled back");
}

} // namespace

StoreTransaction::StoreTransaction(SqliteConnection& db) : m_db(db)
{
    m_beginError = m_db.execute(QStringLiteral("BEGIN IMMEDIATE TRANSACTION;"));
    m_open = !m_beginError;
}

StoreTransaction::~StoreTransaction()
{
    if (isOpen())
        m_db.execute(QStringLiteral("ROLLBACK TRANSACTION;"));
}

bool StoreTransaction::isOpen() const
{
    return m_open && m_db.inTransaction();
}

std::optional<QString> StoreTransaction::commit()
{
    if (!isOpen())
        return transactionLost();
    if (auto error = m_db.execute(QStringLiteral("COMMIT TRANSACTION;")))
        return error;
    m_open = false;
    return std::nullopt;
}

std::optional<QString> StoreTransaction::beginSavepoint()
{
    // Outside a transaction SAVEPOINT would start one of its own, and its writes would be
    // committed alone.
    if (!isOpen())
        return transactionLost();
    return run(m_db, QStringLiteral(R"(SAVEPOINT "unit")"));
}

void StoreTransaction::endSavepoint(StoreWrite& result)
{
    if (!isOpen())
        return;
    std::optional<QString> error;
    if (result.failed())
        error = run(m_db, QStringLiteral(R"(ROLLBACK TO "unit")"));
    if (!error)
        error = run(m_db, QStringLiteral(R"(RELEASE "unit")"));
    if (error) {
        // A savepoint that cannot be closed leaves writes of unknown fate: the whole transaction
        // goes instead.
        m_db.execute(QStringLiteral("ROLLBACK TRANSACTION;"));
        result = StoreWrite::failure(result.failed() ? result.error + QStringLiteral("; ") + *error : *error);
    }
}

} // namespace tavlen
