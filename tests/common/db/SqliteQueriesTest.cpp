// The stand-in runs what the viewer sends: its queries and restore scripts, taken from the
// viewer's own code.

#include "common/db/ColumnTypeInfo.h"
#include "common/db/Connection.h"
#include "common/db/DbErrors.h"
#include "tests/common/db/AuditDatabase.h"
#include "tests/support/TestSupport.h"
#include "viewer/details/AuditRecord.h"
#include "viewer/details/CurrentRowQuery.h"
#include "viewer/query/LogQuery.h"
#include "viewer/query/SchemaCache.h"
#include "viewer/reports/Aggregate.h"
#include "viewer/restore/ExecuteRestoreScript.h"
#include "viewer/restore/IsMoreRecentChange.h"

#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::AuditDatabase;

namespace {

// The audit-row query as the viewer builds it from its WHERE text.
QString logQuery(const QString& where)
{
    return logquery::SelectText(where);
}

QStringList column(Recordset rs, const char* field)
{
    QStringList out;
    for (rs.MoveFirst(); !rs.atEnd(); rs.MoveNext())
        out << rs.Field(QString::fromLatin1(field)).toString();
    return out;
}

// Runs a restore script batch by batch, split at its "GO" lines as the viewer splits it.
void runScript(Connection& c, const QString& script)
{
    for (const QString& batch : SplitBatches(script))
        c.Execute(batch);
}

// What a sink was handed.
struct Collected : RowSink {
    void begin(const QList<FieldInfo>& fields) override
    {
        ++begins;
        for (const FieldInfo& f : fields)
            names << f.name;
    }
    void row(const QList<QVariant>& values) override { rows.append(values); }
    int begins = 0;
    QStringList names;
    QList<QList<QVariant>> rows;
};

// A provider that only answers query(), with the rows it was built with: the base class streams.
class FixedProvider : public Provider {
public:
    explicit FixedProvider(std::shared_ptr<RowSet> rows)
        : m_rows(std::move(rows))
    {}
    void open() override { m_open = true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    std::shared_ptr<RowSet> query(const QString&, int) override { return m_rows; }
    void execute(const QString&) override {}
    std::shared_ptr<RowSet> schema(SchemaKind) override { return m_rows; }
    QString dateLiteral(const QDateTime&) const override { return {}; }

private:
    std::shared_ptr<RowSet> m_rows;
    bool m_open = false;
};

class SqliteQueries : public ::testing::Test {
protected:
    void SetUp() override { db.Open(audit.connectionString()); }

    AuditDatabase audit;
    Connection db;
};

} // namespace

TEST_F(SqliteQueries, TheUnfilteredLogQueryListsEveryRowNewestFirst)
{
    const QString q = logQuery(QString());
    ASSERT_TRUE(q.endsWith(QStringLiteral("sl.KeyID = slk.KeyID ORDER BY TransactionDate DESC")));
    Recordset rs = db.OpenRecordset(q);
    ASSERT_EQ(rs.RecordCount(), 6);
    QStringList names;
    for (int i = 0; i < rs.FieldCount(); ++i)
        names << rs.FieldName(i);
    EXPECT_EQ(names, (QStringList{QStringLiteral("LogID"), QStringLiteral("TransactionType"),
                                  QStringLiteral("TransactionDate"), QStringLiteral("SourceTable"),
                                  QStringLiteral("Username"), QStringLiteral("Workstation"),
                                  QStringLiteral("Application"), QStringLiteral("KeyValues")}));
    EXPECT_EQ(column(rs, "LogID"), AuditDatabase::logIds({6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(rs.Field(QStringLiteral("TransactionDate")).toString(),
              QStringLiteral("2001-01-10 00:00:00.000"));
    EXPECT_EQ(rs.Field(QStringLiteral("KeyValues")).toString(),
              QStringLiteral("OrderID=1 | LineNo=2"));
    EXPECT_EQ(rs.FieldType(0), dbtype::GUID);
    rs.MoveLast();
    EXPECT_EQ(rs.Field(QStringLiteral("KeyValues")).toString(), QStringLiteral("OrderID=1"));
    EXPECT_EQ(rs.Field(QStringLiteral("TransactionType")).toString(), QStringLiteral("I"));
}

TEST_F(SqliteQueries, FiltersOfTheLogQueryNarrowTheRows)
{
    auto run = [&](const LogFilters& filters, int max = 0) {
        return column(
            db.OpenRecordset(logquery::SelectText(filters, audit.connectionString()), max),
            "LogID");
    };
    EXPECT_EQ(run({.table = QStringLiteral("Orders"), .user = QStringLiteral("bob")}),
              AuditDatabase::logIds({5, 2}));
    EXPECT_EQ(run({.transactionType = QStringLiteral("Update")}), AuditDatabase::logIds({4, 2}));
    EXPECT_EQ(run({.application = QStringLiteral("Admin"), .workstation = QStringLiteral("WKS1")}),
              AuditDatabase::logIds({3}));

    // Date bounds come from the connection's date literal: from a moment through a day.
    EXPECT_EQ(run({.from = QDateTime(QDate(2001, 1, 6), QTime(10, 0)),
                   .to = QDateTime(QDate(2001, 1, 8), QTime(0, 0))}),
              AuditDatabase::logIds({4, 3, 2}));
    EXPECT_EQ(run({.before = QDateTime(QDate(2001, 1, 9), QTime(12, 0))}),
              AuditDatabase::logIds({4, 3, 2, 1}));

    // The key text matches anywhere in the shown key, across the separator between columns too.
    EXPECT_EQ(run({.keyContains = QStringLiteral("ID=1")}), AuditDatabase::logIds({6, 3, 2, 1}));
    EXPECT_EQ(run({.keyContains = QStringLiteral("1 | Line")}), AuditDatabase::logIds({6, 3}));
    EXPECT_EQ(run({.keyContains = QStringLiteral("1") + QChar(1) + QStringLiteral("Line")}),
              AuditDatabase::logIds({6, 3}));

    EXPECT_EQ(run({}, 5), AuditDatabase::logIds({6, 5, 4, 3, 2}));
    EXPECT_EQ(run({}, 0).size(), 6);
    EXPECT_TRUE(run({.user = QStringLiteral("nobody")}).isEmpty());
    EXPECT_EQ(test::errorNumber([&] { db.OpenRecordset(logQuery(QString()), -1); }),
              AdErrInvalidArgument);
}

TEST_F(SqliteQueries, TheDetailAndCurrentRowQueriesKeepTypesAndNulls)
{
    const QString logId =
        db.OpenRecordset(logQuery(QString())).Field(0).toString(); // as the grid shows it
    Recordset rs = db.OpenRecordset(AuditRecord::query(logId));
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Field(QStringLiteral("KeyValues")).toString(),
              QStringLiteral("OrderID=1") + QChar(1) + QStringLiteral("LineNo=2"));
    EXPECT_EQ(rs.Field(QStringLiteral("KeyID")).toString(), AuditDatabase::keyId(3));
    EXPECT_EQ(rs.Field(QStringLiteral("TransactionDate")).toString(),
              QStringLiteral("2001-01-10 00:00:00.000"));

    const SchemaCache cache = SchemaCache::fromColumnsRowset(db.OpenSchema(SchemaKind::Columns));
    rs = db.OpenRecordset(
        CurrentRowQuery(cache, QStringLiteral("Orders"), QStringLiteral("OrderID=1")));
    db.Close();
    ASSERT_EQ(rs.RecordCount(), 1) << "readable after the connection closed";
    EXPECT_EQ(rs.FieldType(2), dbtype::CY);
    EXPECT_EQ(rs.FieldType(3), dbtype::BOOL);
    EXPECT_EQ(rs.FieldType(5), dbtype::GUID);
    EXPECT_EQ(rs.Field(QStringLiteral("Amount")).toDouble(), 10.25);
    EXPECT_EQ(rs.Field(QStringLiteral("Shipped")), QVariant(true));
    EXPECT_EQ(rs.Field(QStringLiteral("OrderDate")).toString(),
              QStringLiteral("2001-01-05 09:05:00.000"));
    EXPECT_FALSE(rs.Field(QStringLiteral("Guid")).isValid());

    db.Open(audit.connectionString());
    rs = db.OpenRecordset(
        QStringLiteral("SELECT Customer,Amount,Guid FROM Orders WHERE OrderID='2'"));
    EXPECT_EQ(rs.Field(0), QVariant(QString(QLatin1String(""))));
    EXPECT_FALSE(rs.Field(1).isValid());
    EXPECT_EQ(rs.Field(2).toString(), QStringLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF}"));
    rs = db.OpenRecordset(QStringLiteral(
        "SELECT OrderID,LineNo,Product FROM OrderLines WHERE OrderID='1' AND LineNo='2'"));
    EXPECT_EQ(rs.Field(QStringLiteral("Product")).toString(), QStringLiteral("Widget"));
}

TEST_F(SqliteQueries, TheRecentChangeCountComparesStyle21Dates)
{
    auto count = [&](int key, const char* date) {
        return db
            .OpenRecordset(
                MoreRecentChangeQuery(AuditDatabase::keyId(key), QString::fromLatin1(date)))
            .Field(0)
            .toInt();
    };
    EXPECT_EQ(count(1, "2001-01-05 09:05:00.000"), 1);
    EXPECT_EQ(count(1, "2001-01-06 10:00:00.000"), 0);
    EXPECT_EQ(count(3, "2001-01-07 11:30:15.249"), 2);
}

TEST_F(SqliteQueries, RestoreStatementsRunAsWritten)
{
    // Undo an insert.
    runScript(db, QStringLiteral("DELETE Orders\r\nWHERE OrderID='3'\r\n"));
    EXPECT_EQ(db.OpenRecordset(QStringLiteral("SELECT Count(*) FROM Orders WHERE OrderID = 3"))
                  .Field(0)
                  .toInt(),
              0);

    // Undo an update, behind the warning of a more recent change.
    runScript(db,
              QStringLiteral("-- WARNING !!!\r\n-- This current record is more recent than this "
                             "audit record!\r\n\r\n"
                             "UPDATE Orders\r\nSET\r\n"
                             "       Customer = CAST('O''Brien' AS varchar(40)),\r\n"
                             "       Amount = CAST('12.5' AS money),\r\n"
                             "       OrderDate = CAST('2001-01-05 09:05:00.000' AS datetime),\r\n"
                             "       Guid = NULL\r\n"
                             "WHERE OrderID='2'\r\n"));
    Recordset rs = db.OpenRecordset(
        QStringLiteral("SELECT Customer, Amount, OrderDate, Guid FROM Orders WHERE OrderID = 2"));
    EXPECT_EQ(rs.Field(0).toString(), QStringLiteral("O'Brien"));
    EXPECT_EQ(rs.Field(1).toDouble(), 12.5);
    EXPECT_EQ(rs.Field(2).toString(), QStringLiteral("2001-01-05 09:05:00.000"))
        << "a date, not the number 2001";
    EXPECT_FALSE(rs.Field(3).isValid());

    // Undo a delete of a row with an identity key.
    runScript(db,
              QStringLiteral(
                  "SET IDENTITY_INSERT Orders ON\r\nGO\r\n\r\n"
                  "INSERT Orders (\r\n       OrderID,\r\n       Customer,\r\n       Shipped,\r\n"
                  "       Guid\r\n       )\r\nVALUES (\r\n       CAST('7' AS int),\r\n"
                  "       CAST('New' AS varchar(40)),\r\n       CAST('1' AS bit),\r\n"
                  "       CAST('6f9619ff-8b86-d011-b42d-00c04fc964ff' AS uniqueidentifier)\r\n"
                  "       )\r\n"));
    rs = db.OpenRecordset(
        QStringLiteral("SELECT Customer, Shipped, Guid FROM Orders WHERE OrderID = 7"));
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Field(0).toString(), QStringLiteral("New"));
    EXPECT_EQ(rs.Field(1), QVariant(true));
    EXPECT_EQ(rs.Field(2).toString(), QStringLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF}"));

    // A cast the server would refuse fails the batch, reported as a command error.
    EXPECT_EQ(test::errorNumber([&] {
                  runScript(db, QStringLiteral("UPDATE Orders\r\nSET\r\n       Amount = CAST('x' "
                                               "AS money)\r\nWHERE OrderID='1'\r\n"));
              }),
              DB_E_ERRORSINCOMMAND);
    EXPECT_EQ(test::errorNumber([&] {
                  runScript(db, QStringLiteral(
                                    "UPDATE Gone\r\nSET\r\n       a = NULL\r\nWHERE b='1'\r\n"));
              }),
              DB_E_NOTABLE);
}

TEST_F(SqliteQueries, TheFilterListQueriesGiveDistinctSortedValues)
{
    const std::pair<const char*, const char*> lists[] = {{"SourceTable", "OrderLines Orders"},
                                                         {"Username", "alice bob carol"},
                                                         {"Workstation", "WKS1 WKS2 WKS3"},
                                                         {"Application", "Admin Sales"}};
    for (const auto& [name, values] : lists) {
        EXPECT_EQ(logquery::DistinctValues(db, QLatin1String(name)).join(QLatin1Char(' ')),
                  QLatin1String(values));
    }
}

TEST_F(SqliteQueries, ADatabaseWithoutTheAuditTablesAnswersNoTable)
{
    for (const char* catalog : {"empty", "master", ""}) {
        Connection c(audit.connectionString(QString::fromLatin1(catalog)));
        c.Open();
        try {
            c.OpenRecordset(logquery::DistinctText(QStringLiteral("SourceTable")));
            ADD_FAILURE() << catalog;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), DB_E_NOTABLE) << catalog;
            EXPECT_EQ(e.number(), -2147217865L);
            EXPECT_TRUE(e.description().contains(QStringLiteral("Tallix")));
        }
        EXPECT_EQ(test::errorNumber(
                      [&] { c.Execute(QStringLiteral("DELETE Tallix\r\nWHERE LogID='x'\r\n")); }),
                  DB_E_NOTABLE);
    }
}

TEST_F(SqliteQueries, TheAggregateReportCountsPerTable)
{
    Recordset rs = db.OpenForwardOnly(reports::Aggregate::queryText());
    EXPECT_EQ(rs.cursor(), Recordset::Cursor::ForwardOnly);
    QStringList lines;
    for (; !rs.atEnd(); rs.MoveNext()) {
        QStringList cells;
        for (int i = 0; i < 7; ++i)
            cells << rs.Field(i).toString();
        lines << cells.join(QLatin1Char('|'));
    }
    EXPECT_EQ(
        lines,
        (QStringList{
            QStringLiteral("OrderLines|2001-01-07 11:30:15.250|2001-01-10 00:00:00.000|1|0|1|2"),
            QStringLiteral("Orders|2001-01-05 09:05:00.000|2001-01-09 12:00:00.000|1|2|1|4")}));
    EXPECT_EQ(rs.FieldName(3), QStringLiteral("Inserts"));
}

TEST_F(SqliteQueries, TheTransactionListRunsTheStoredQueryForwardOnly)
{
    Recordset rs =
        db.OpenForwardOnly(logQuery(logquery::TableFilter(QStringLiteral("OrderLines"))));
    QStringList keys;
    for (; !rs.atEnd(); rs.MoveNext())
        keys << rs.Field(QStringLiteral("KeyValues"))
                    .toString()
                    .replace(QStringLiteral(" | "), QStringLiteral("\r\n"));
    EXPECT_EQ(keys, (QStringList{QStringLiteral("OrderID=1\r\nLineNo=2"),
                                 QStringLiteral("OrderID=1\r\nLineNo=2")}));
}

TEST_F(SqliteQueries, BatchesRunEveryStatementAndDefaultsCallTheFunctions)
{
    db.Execute(QStringLiteral("-- only a comment\r\n"));
    db.Execute(QStringLiteral(
        "CREATE TABLE t (a int); INSERT INTO t VALUES (1); INSERT INTO t VALUES (2);"));
    EXPECT_EQ(
        db.OpenRecordset(QStringLiteral("INSERT INTO t VALUES (3); SELECT a FROM t")).RecordCount(),
        3);
    EXPECT_EQ(db.OpenRecordset(QStringLiteral("DELETE FROM t WHERE a = 3")).FieldCount(), 0);
    EXPECT_EQ(test::errorNumber([&] { db.Execute(QStringLiteral("SELEC nonsense")); }),
              DB_E_ERRORSINCOMMAND);
    db.Execute(QStringLiteral(
        "INSERT INTO TallixKeys (SourceTable, KeyValues) VALUES ('Orders', 'OrderID=9')"));
    Recordset rs =
        db.OpenRecordset(QStringLiteral("SELECT KeyID, CONVERT(varchar(32), getdate(), 21) FROM "
                                        "TallixKeys WHERE KeyValues = 'OrderID=9'"));
    EXPECT_TRUE(rs.Field(0).toString().startsWith(QLatin1Char('{')));
    EXPECT_EQ(rs.Field(0).toString().size(), 38);
    EXPECT_EQ(rs.Field(1).toString().size(), 23);
}

TEST_F(SqliteQueries, EqualTextsOfAColumnShareOneString)
{
    // Large results repeat a few names; each is held once.
    const Recordset rs =
        db.OpenRecordset(QStringLiteral("SELECT Username, Workstation FROM Tallix ORDER BY LogID"));
    ASSERT_EQ(rs.RecordCount(), 6);
    const QString first = rs.ValueAt(0, 0).toString();  // alice (row 1)
    const QString third = rs.ValueAt(2, 0).toString();  // alice (row 3)
    const QString second = rs.ValueAt(1, 0).toString(); // bob
    EXPECT_EQ(first, QStringLiteral("alice"));
    EXPECT_EQ(third, first);
    EXPECT_EQ(third.constData(), first.constData());
    EXPECT_NE(second.constData(), first.constData());
    EXPECT_EQ(rs.ValueAt(5, 1).toString(), QStringLiteral("WKS1"));
}

TEST_F(SqliteQueries, StreamedRowsAreTheResultsRowsHandedOverOneByOne)
{
    const QString q = logQuery(QString());
    const Recordset all = db.OpenRecordset(q);
    for (const int max : {0, 1, 5, 6, 7}) {
        Collected got;
        db.Stream(q, max, got);
        EXPECT_EQ(got.begins, 1);
        EXPECT_EQ(got.names.size(), 8);
        EXPECT_EQ(got.names.value(7), QStringLiteral("KeyValues"));
        ASSERT_EQ(got.rows.size(), max == 0 ? 6 : std::min(max, 6)) << max;
        for (int r = 0; r < got.rows.size(); ++r) {
            for (int f = 0; f < all.FieldCount(); ++f)
                EXPECT_EQ(got.rows[r].value(f), all.ValueAt(r, f)) << r << "," << f;
        }
    }
    // The first result of a batch, NULL kept apart from an empty text; the statements before it
    // run, those after it do not.
    Collected batch;
    db.Stream(QStringLiteral("CREATE TABLE s (a int); SELECT NULL AS n, '' AS e, 2 AS i; "
                             "INSERT INTO s VALUES (1); SELECT a FROM s"),
              0, batch);
    EXPECT_EQ(batch.names,
              (QStringList{QStringLiteral("n"), QStringLiteral("e"), QStringLiteral("i")}));
    ASSERT_EQ(batch.rows.size(), 1);
    EXPECT_FALSE(batch.rows[0][0].isValid());
    EXPECT_EQ(batch.rows[0][1], QVariant(QString()));
    EXPECT_EQ(batch.rows[0][2].toInt(), 2);
    EXPECT_EQ(db.OpenRecordset(QStringLiteral("SELECT a FROM s")).RecordCount(), 0);

    Collected none;
    EXPECT_EQ(test::errorNumber([&] { db.Stream(QStringLiteral("SELEC x"), 0, none); }),
              DB_E_ERRORSINCOMMAND);
    EXPECT_EQ(test::errorNumber([&] { db.Stream(QStringLiteral("SELECT * FROM Nope"), 0, none); }),
              DB_E_NOTABLE);
    EXPECT_EQ(test::errorNumber([&] { db.Stream(q, -1, none); }), AdErrInvalidArgument);
    EXPECT_EQ(none.begins, 0);

    // A provider that reads only whole results streams them after reading.
    auto fixed = std::make_shared<RowSet>(QList<FieldInfo>{{QStringLiteral("x"), 3}});
    fixed->appendRow({QVariant(7)});
    fixed->appendRow({QVariant()});
    Connection c(std::make_unique<FixedProvider>(fixed));
    c.Open();
    Collected replayed;
    c.Stream(QStringLiteral("anything"), 0, replayed);
    EXPECT_EQ(replayed.names, QStringList{QStringLiteral("x")});
    EXPECT_EQ(replayed.rows, (QList<QList<QVariant>>{{QVariant(7)}, {QVariant()}}));
}

TEST_F(SqliteQueries, AStreamReadsTheRowsOneAtATimeUntilItsConnectionCloses)
{
    const QString sql = logQuery(QString());
    // Statements before the query run; its rows come as the static result has them.
    auto rows = db.OpenStream(QStringLiteral("CREATE TEMP TABLE scratch (x int);\r\n") + sql);
    EXPECT_EQ(rows->FieldIndex(QStringLiteral("keyvalues")), 7);
    EXPECT_EQ(test::errorNumber([&] { rows->value(0); }), AdErrNoCurrentRecord);
    QStringList streamed;
    while (rows->next())
        streamed << rows->value(QStringLiteral("LogID")).toString() + QLatin1Char('/') +
                        rows->value(7).toString();
    EXPECT_FALSE(rows->next());
    QStringList expected;
    Recordset all = db.OpenRecordset(sql);
    for (all.MoveFirst(); !all.atEnd(); all.MoveNext())
        expected << all.Field(0).toString() + QLatin1Char('/') + all.Field(7).toString();
    EXPECT_EQ(streamed, expected);
    EXPECT_EQ(streamed.size(), 6);

    auto open = db.OpenStream(sql);
    ASSERT_TRUE(open->next());
    EXPECT_EQ(test::errorNumber([&] { open->value(QStringLiteral("Nope")); }), AdErrItemNotFound);
    db.Close(); // the statement is finalized first, so the connection closes
    EXPECT_EQ(test::errorNumber([&] { open->next(); }), AdErrObjectClosed);
    db.Open(audit.connectionString());
    EXPECT_EQ(test::errorNumber([&] { db.OpenStream(QStringLiteral("SELECT * FROM Missing")); }),
              DB_E_NOTABLE);
}
