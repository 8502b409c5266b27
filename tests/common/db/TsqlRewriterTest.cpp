#include "common/db/sqlite/TsqlRewriter.h"

#include "common/db/SchemaRowsets.h"
#include "tests/support/TestSupport.h"
#include "viewer/details/AuditRecord.h"
#include "viewer/details/CurrentRowQuery.h"
#include "viewer/query/LogQuery.h"
#include "viewer/query/SchemaCache.h"
#include "viewer/reports/Aggregate.h"
#include "viewer/restore/IsMoreRecentChange.h"

#include <gtest/gtest.h>

using namespace tallix;

namespace {

QString rw(const char* sql)
{
    return TsqlRewriter::rewrite(QString::fromUtf8(sql));
}

} // namespace

TEST(TsqlRewriter, ConvertGetsItsTypeAsText)
{
    EXPECT_EQ(rw("convert( varchar ( 32 ) , x )"), QStringLiteral("convert('varchar(32)', x )"));
    EXPECT_EQ(rw("CONVERT(VARCHAR,i.[OrderID])"), QStringLiteral("CONVERT('VARCHAR',i.[OrderID])"));
    EXPECT_EQ(rw("CONVERT(decimal(10, 2), x)"), QStringLiteral("CONVERT('decimal(10,2)', x)"));
    EXPECT_EQ(rw("CONVERT(NVARCHAR(max), CONVERT(int, '5'))"),
              QStringLiteral("CONVERT('NVARCHAR(max)', CONVERT('int', '5'))"));
    // Not a type: left alone.
    EXPECT_EQ(rw("CONVERT(someColumn, x)"), QStringLiteral("CONVERT(someColumn, x)"));
    EXPECT_EQ(rw("CONVERT('already', x)"), QStringLiteral("CONVERT('already', x)"));
}

TEST(TsqlRewriter, CastBecomesAConversionWithServerRules)
{
    EXPECT_EQ(rw("CAST('O''Brien' AS varchar(40))"),
              QStringLiteral("CONVERT('varchar(40)','O''Brien' )"));
    EXPECT_EQ(rw("CAST('2001-01-05 09:05:00.000' AS datetime)"),
              QStringLiteral("CONVERT('datetime','2001-01-05 09:05:00.000' )"));
    EXPECT_EQ(rw("CAST(CAST(a AS int) + (b) AS money)"),
              QStringLiteral("CONVERT('money',CONVERT('int',a ) + (b) )"));
    // A type SQL Server does not know stays SQLite's own CAST.
    EXPECT_EQ(rw("CAST(x AS BLOB)"), QStringLiteral("CAST(x AS BLOB)"));
    EXPECT_EQ(rw("CAST(x AS)"), QStringLiteral("CAST(x AS)"));
}

TEST(TsqlRewriter, MaxLengthOfAColumnTypeBecomesTheCataloguesMinusOne)
{
    const struct {
        const char* tsql;
        const char* sqlite;
    } cases[] = {
        {"CREATE TABLE t (Data nvarchar(max) NOT NULL)",
         "CREATE TABLE t (Data nvarchar(-1) NOT NULL)"},
        {"CREATE TABLE t (a varchar ( MAX ), b nvarchar(40))",
         "CREATE TABLE t (a varchar ( -1 ), b nvarchar(40))"},
        // Not the length of a type: the aggregate, a bracketed name and a literal stay.
        {"SELECT MAX(x), (max) FROM t WHERE y = '(max)'",
         "SELECT MAX(x), (max) FROM t WHERE y = '(max)'"},
        {"SELECT CAST(d AS nvarchar(max))", "SELECT CONVERT('nvarchar(max)',d )"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rw(c.tsql), QString::fromUtf8(c.sqlite)) << c.tsql;
}

TEST(TsqlRewriter, StatementFormsOfRestoreScripts)
{
    EXPECT_EQ(rw("DELETE Orders\r\nWHERE OrderID='5'\r\n"),
              QStringLiteral("DELETE FROM Orders\r\nWHERE OrderID='5'\r\n"));
    EXPECT_EQ(rw("INSERT Orders (\r\n       OrderID\r\n       )"),
              QStringLiteral("INSERT INTO Orders (\r\n       OrderID\r\n       )"));
    EXPECT_EQ(rw("SET IDENTITY_INSERT Orders ON\r\n"), QStringLiteral("\r\n"));
    EXPECT_EQ(rw("SET IDENTITY_INSERT dbo.[Order Details] OFF"), QString());
    // Already SQLite's forms, or trigger and key clauses: unchanged.
    for (const char* same :
         {"DELETE FROM t", "INSERT INTO t VALUES (1)", "INSERT OR REPLACE INTO t VALUES (1)",
          "CREATE TRIGGER x AFTER DELETE ON t BEGIN SELECT 1; END",
          "CREATE TRIGGER x AFTER INSERT ON t BEGIN SELECT 1; END",
          "REFERENCES p (id) ON DELETE CASCADE", "UPDATE t SET a = 1", "SET a = 1"}) {
        EXPECT_EQ(rw(same), QString::fromLatin1(same)) << same;
    }
}

TEST(TsqlRewriter, ControlCharactersOfRestoredValuesJoinTheirLiteralsAsTexts)
{
    EXPECT_EQ(rw("WHERE k='a' + CHAR(13) + '' + CHAR(10) + 'GO'"),
              QStringLiteral("WHERE k='a' || CHAR(13) || '' || CHAR(10) || 'GO'"));
    EXPECT_EQ(rw("CAST(N'x' + NCHAR(9) + N'y' AS nvarchar(10))"),
              QStringLiteral("CONVERT('nvarchar(10)','x' || NCHAR(9) || 'y' )"));
    EXPECT_EQ(rw("N'only'"), QStringLiteral("'only'"));
    // Numbers still add; a column or word named N is no prefix.
    for (const char* same :
         {"SET a = b + 1", "SELECT (a) + (b)", "SELECT N FROM t", "SELECT N + 1"})
        EXPECT_EQ(rw(same), QString::fromLatin1(same)) << same;
}

TEST(TsqlRewriter, LiteralsAndCommentsAreNeverTouched)
{
    for (const char* same :
         {"SELECT 'CONVERT(VARCHAR(32),x,21)', 'DELETE t'",
          "SELECT 1 -- CAST(x AS datetime) DELETE t\r\n", "SELECT /* INSERT t */ 1",
          "SELECT [CAST(x AS int)] FROM \"DELETE t\"", "SELECT 'unterminated CONVERT(int, 1)"}) {
        EXPECT_EQ(rw(same), QString::fromLatin1(same)) << same;
    }
}

TEST(TsqlRewriter, TheViewersQueriesBecomeSqliteText)
{
    // The viewer's SQL texts, from the viewer's own code.
    const SchemaCache orders = SchemaCache::fromColumnsRowset(Recordset(schema::columns({
        {QString(), QStringLiteral("dbo"), QStringLiteral("Orders"), QStringLiteral("OrderID"), 1,
         QVariant(), false, true, false, SqlType::parse(QStringLiteral("int"))},
        {QString(), QStringLiteral("dbo"), QStringLiteral("Orders"), QStringLiteral("OrderDate"), 2,
         QVariant(), true, false, false, SqlType::parse(QStringLiteral("datetime"))},
    })));
    const QStringList texts = {
        logquery::SelectText(QString()),
        AuditRecord::query(QStringLiteral("{0}")),
        CurrentRowQuery(orders, QStringLiteral("Orders"), QStringLiteral("OrderID=5")),
        reports::Aggregate::queryText(),
        MoreRecentChangeQuery(QStringLiteral("{0}"), QStringLiteral("2001-01-05 09:05:00.000")),
    };
    QString out;
    for (const QString& t : texts)
        out += TsqlRewriter::rewrite(t) + QStringLiteral("\r\n");
    EXPECT_MATCHES_GOLDEN(out.toUtf8(), QStringLiteral("db/sqlite-rewrites.sql"));
}
