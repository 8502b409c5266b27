#include "viewer/query/SchemaCache.h"

#include "common/db/Connection.h"
#include "tests/common/db/AuditDatabase.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::AuditDatabase;

namespace {

void runSql(const QString& file, const QStringList& statements)
{
    const QString name = QStringLiteral("schema-cache-setup");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const QString& s : statements)
            ASSERT_TRUE(q.exec(s)) << qPrintable(s);
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

TEST(SchemaCache, CopiesTheTypeFieldsAndFindsTablesWhateverTheirNames)
{
    AuditDatabase folder;
    folder.createCatalog(QStringLiteral("shop"));
    runSql(
        folder.folder() + QStringLiteral("/shop.db"),
        {QStringLiteral("CREATE TABLE [O'Brien] (Id int NOT NULL PRIMARY KEY, Price decimal(9,3))"),
         QStringLiteral("CREATE TABLE Orders (OrderID int NOT NULL, Note nvarchar(30))")});

    Connection connection;
    connection.Open(folder.connectionString(QStringLiteral("shop")));
    const SchemaCache cache =
        SchemaCache::fromColumnsRowset(connection.OpenSchema(SchemaKind::Columns));
    connection.Close();

    EXPECT_EQ(cache.rowCount(), 4);
    EXPECT_EQ(cache.recordset().FieldCount(), 8);

    const auto price = cache.find(QStringLiteral("O'Brien"), QStringLiteral("price"));
    ASSERT_TRUE(price);
    EXPECT_EQ(cache.value(*price, SchemaCache::DATA_TYPE).toInt(), 131);
    EXPECT_EQ(cache.value(*price, SchemaCache::NUMERIC_PRECISION).toInt(), 9);
    EXPECT_EQ(cache.value(*price, SchemaCache::NUMERIC_SCALE).toInt(), 3);
    EXPECT_FALSE(cache.value(*price, SchemaCache::CHARACTER_MAXIMUM_LENGTH).isValid());

    const QList<int> orders = cache.rowsOf(QStringLiteral("ORDERS"));
    ASSERT_EQ(orders.size(), 2);
    EXPECT_EQ(cache.value(orders[0], SchemaCache::COLUMN_NAME).toString(),
              QStringLiteral("OrderID"));
    EXPECT_EQ(cache.value(orders[1], SchemaCache::CHARACTER_MAXIMUM_LENGTH).toInt(), 30);

    EXPECT_TRUE(cache.rowsOf(QStringLiteral("Missing")).isEmpty());
    EXPECT_FALSE(cache.find(QStringLiteral("Orders"), QStringLiteral("Missing")));
    EXPECT_EQ(SchemaCache().rowCount(), 0);
}
