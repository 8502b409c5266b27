#include "common/db/Connection.h"

#include <gtest/gtest.h>

using namespace tallix;

// Against a real server, when TALLIX_TEST_MSSQL holds a connection string in the programs' form
// ("Data Source=host,1433;Initial Catalog=tempdb;User ID=sa;Password=...").
class SqlServerLive : public ::testing::Test {
protected:
    // The text with the scratch table's name made unique per test, so that tests running side
    // by side never share a table.
    static QString named(const char* text)
    {
        return QString::fromLatin1(text).replace(
            QLatin1String("TallixLive"),
            QLatin1String("TallixLive") +
                QString::fromLatin1(
                    ::testing::UnitTest::GetInstance()->current_test_info()->name()));
    }
    void SetUp() override
    {
        if (qEnvironmentVariable("TALLIX_TEST_MSSQL").isEmpty())
            GTEST_SKIP() << "TALLIX_TEST_MSSQL is not set";
        db.Open(qEnvironmentVariable("TALLIX_TEST_MSSQL"));
        db.Execute(named("IF OBJECT_ID('dbo.TallixLive') IS NOT NULL DROP TABLE dbo.TallixLive\n"
                         "CREATE TABLE dbo.TallixLive (Id int IDENTITY(1,1) NOT NULL PRIMARY KEY, "
                         "Name varchar(20) NULL, Flag bit NOT NULL, Stamp datetime NULL, "
                         "Guid uniqueidentifier NULL, Memo text NULL, Version timestamp NOT NULL)\n"
                         "INSERT INTO dbo.TallixLive (Name, Flag, Guid) VALUES "
                         "('', 1, '6F9619FF-8B86-D011-B42D-00C04FC964FF')"));
    }
    void TearDown() override
    {
        if (db.IsOpen())
            db.Execute(named("DROP TABLE dbo.TallixLive"));
    }
    Connection db;
};

TEST_F(SqlServerLive, SchemaRowsetsCarryTheNumbers)
{
    Recordset columns = db.OpenSchema(SchemaKind::Columns);
    const std::pair<const char*, int> flags[] = {
        {"Id", 16}, {"Flag", 24}, {"Name", 104}, {"Memo", 232}, {"Version", 528}};
    for (const auto& [column, expected] : flags) {
        columns.SetFilter(
            named("TABLE_NAME = 'TallixLive' AND COLUMN_NAME = '%1'").arg(QLatin1String(column)));
        ASSERT_EQ(columns.RecordCount(), 1) << column;
        EXPECT_EQ(columns.Field(QStringLiteral("COLUMN_FLAGS")).toInt(), expected) << column;
    }
    Recordset keys = db.OpenSchema(SchemaKind::PrimaryKeys);
    keys.SetFilter(named("TABLE_NAME = 'TallixLive'"));
    EXPECT_EQ(keys.Field(QStringLiteral("COLUMN_NAME")).toString(), QStringLiteral("Id"));
    Recordset tables = db.OpenSchema(SchemaKind::Tables);
    tables.SetFilter(named("TABLE_NAME = 'TallixLive'"));
    EXPECT_EQ(tables.Field(QStringLiteral("TABLE_TYPE")).toString(), QStringLiteral("TABLE"));
    EXPECT_GT(db.OpenSchema(SchemaKind::Catalogs).RecordCount(), 0);
}

TEST_F(SqlServerLive, ValuesNullsGuidsDatesAndMissingTables)
{
    Recordset rs = db.OpenRecordset(named("SELECT Name, Flag, Stamp, Guid FROM dbo.TallixLive"));
    EXPECT_TRUE(rs.Field(0).isValid());
    EXPECT_EQ(rs.Field(0).toString(), QString());
    EXPECT_EQ(rs.Field(1), QVariant(true));
    EXPECT_FALSE(rs.Field(2).isValid());
    EXPECT_EQ(rs.Field(3).toString(), QStringLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF}"));
    const QString when = db.dateLiteral(QDateTime(QDate(2001, 1, 5), QTime(13, 5, 7)));
    EXPECT_EQ(
        db.OpenRecordset(
              QStringLiteral("SELECT CONVERT(VARCHAR(32), CAST('%1' AS datetime), 21)").arg(when))
            .Field(0),
        QVariant(QStringLiteral("2001-01-05 13:05:07.000")));
    try {
        db.OpenRecordset(QStringLiteral("SELECT DISTINCT SourceTable FROM TallixNoSuchTable"));
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), DB_E_NOTABLE);
    }
}

TEST_F(SqlServerLive, AStreamReadsRowsOneAtATimeUntilTheConnectionCloses)
{
    db.Execute(named("INSERT INTO dbo.TallixLive (Name, Flag) VALUES ('two', 0)"));
    auto rows = db.OpenStream(named("SELECT Name, Flag, Guid FROM dbo.TallixLive ORDER BY Id"));
    QStringList seen;
    while (rows->next())
        seen << rows->value(0).toString() + QLatin1Char('/') + rows->value(1).toString() +
                    QLatin1Char('/') + rows->value(QStringLiteral("guid")).toString();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("/true/{6F9619FF-8B86-D011-B42D-00C04FC964FF}"),
                                 QStringLiteral("two/false/")}));
    auto open = db.OpenStream(named("SELECT Name FROM dbo.TallixLive"));
    ASSERT_TRUE(open->next());
    db.Close();
    EXPECT_THROW(open->next(), Error);
    db.Open(qEnvironmentVariable("TALLIX_TEST_MSSQL"));
}
