#pragma once

#include "platform/fake/FakeFileLocations.h"
#include "platform/linux/LocalFileSystem.h"
#include "store/DatabaseManager.h"
#include "store/SqliteConnection.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace tavlen::test {

// A store on a real SQLite file in a temporary folder, with every statement it sends recorded.
class StoreTestSupport {
public:
    StoreTestSupport() : locations(dir.path()) {}

    DatabaseManager& open()
    {
        statements.clear();
        store = std::make_unique<DatabaseManager>(locations, files,
                                                  [this](const QString& sql) { statements.append(sql); });
        statements.clear();
        return *store;
    }

    QString databasePath() const { return *DatabaseManager::databasePath(locations); }

    // A second connection on the same file, for setting up and inspecting rows behind the
    // store's back.
    std::unique_ptr<SqliteConnection> raw() const
    {
        QString error;
        auto connection = SqliteConnection::open(databasePath(), error);
        EXPECT_TRUE(connection) << error.toStdString();
        return connection;
    }

    void exec(const QString& script) const
    {
        const auto error = raw()->execute(script);
        ASSERT_FALSE(error.has_value()) << error->toStdString();
    }

    // The first column of every row of a query, as text (integers in decimal).
    QStringList column(const QString& sql) const
    {
        auto connection = raw();
        SqliteStatement statement = connection->prepare(sql);
        EXPECT_TRUE(statement.isValid()) << connection->lastError().toStdString();
        QStringList values;
        while (statement.step() == SqliteStatement::Step::Row) {
            if (const auto number = statement.integer(0))
                values.append(QString::number(*number));
            else
                values.append(statement.text(0).value_or(QStringLiteral("<other>")));
        }
        return values;
    }

    qint64 number(const QString& sql) const { return column(sql).value(0).toLongLong(); }

    QTemporaryDir dir;
    fake::FakeFileLocations locations;
    linux_platform::LocalFileSystem files;
    std::unique_ptr<DatabaseManager> store;
    QStringList statements;
};

} // namespace tavlen::test
