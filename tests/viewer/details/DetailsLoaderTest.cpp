#include "viewer/details/DetailsLoader.h"

#include "common/db/Connection.h"
#include "tests/common/db/AuditDatabase.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "tests/viewer/details/AuditRows.h"
#include "viewer/details/CurrentRowQuery.h"
#include "viewer/query/SchemaCache.h"

#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::AuditDatabase;
using tallix::test::AuditRows;
using tallix::test::s;

namespace {

// The fixture's audit database with a few more audit rows over Orders and a Notes table.
class DetailsLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Connection c(folder.connectionString());
        c.Open();
        c.Execute(s("CREATE TABLE Notes (NoteID int NOT NULL PRIMARY KEY, Memo text NULL, "
                    "Stamp smalldatetime NULL, [Key] varchar(10) NULL);"
                    "INSERT INTO Notes VALUES (1, 'hello', '2001-01-05 09:05:00.000', 'k1');"));
        AuditRows rows(c);
        rows.add(s("update"), s("Orders"), s("U"), s("2001-02-01 10:00:00.000"), s("OrderID=1"),
                 AuditRows::data({
                     AuditRows::column(s("OrderID"), s("1"), s("1")),
                     AuditRows::column(s("Customer"), s("Acme"), s("Acme")),
                     AuditRows::column(s("Amount"), s("9.0000"), s("10.2500")),
                     AuditRows::column(s("Shipped"), s("0"), s("1")),
                     AuditRows::column(s("OrderDate"), s("NULL"), s("2001-01-05 09:05:00.000")),
                     AuditRows::column(s("Guid"), s("NULL"), s("NULL")),
                 }));
        rows.add(s("insert"), s("Orders"), s("I"), s("2001-02-02 10:00:00.000"), s("OrderID=3"),
                 AuditRows::data({
                     AuditRows::column(s("OrderID"), s(""), s("3")),
                     AuditRows::column(s("Customer"), s(""), s("Third")),
                     AuditRows::column(s("Note"), s(""), s("")),
                     AuditRows::column(s("Owner"), s(""), s("O&apos;Neil &lt;x&gt;")),
                 }));
        rows.add(s("delete"), s("Orders"), s("D"), s("2001-02-03 10:00:00.000"), s("OrderID=7"),
                 AuditRows::data({
                     AuditRows::column(s("OrderID"), s("7"), s("")),
                     AuditRows::column(s("Customer"), s("Gone"), s("")),
                     AuditRows::column(s("Amount"), s("1.0000"), s("")),
                 }));
        rows.add(
            s("notes"), s("Notes"), s("U"), s("2001-02-04 10:00:00.000"), s("NoteID=1"),
            AuditRows::data({
                AuditRows::column(s("Memo"), s("a><b"), s("hello")),
                AuditRows::column(s("Stamp"), s("Jan  5 2001  9:05AM"), s("Jan  5 2001  9:05AM")),
                AuditRows::column(s("Key"), s("k0"), s("k1")),
                AuditRows::column(s("O&apos;Col"), s("x"), s("y")),
            }));
        rows.add(s("broken"), s("Orders"), s("U"), s("2001-02-05 10:00:00.000"), s("OrderID=1"),
                 s("<AUDIT><COLUMN NAME='Customer' BEFORE='A' AFTER='B'/><COLUMN NAME='Amount'/>"
                   "<COLUMN NAME='Shipped' BEFORE='0' AFTER='1'/></AUDIT>"));
        cache = SchemaCache::fromColumnsRowset(c.OpenSchema(SchemaKind::Columns));
    }

    DetailsResult load(const QString& logId, bool showAllFields, bool showCurrent)
    {
        Connection c(folder.connectionString());
        return DetailsLoader::load(c, cache, logId, {showAllFields, showCurrent});
    }

    // "field | before | after | current" per row, with "*" for a cyan row and "!" for a yellow
    // current value.
    static QStringList table(const DetailsResult& r)
    {
        QStringList out;
        for (const DetailRow& row : r.rows) {
            out << (row.valueColour() ? s("*") : s(" ")) + row.field + s(" | ") + row.before +
                       s(" | ") + row.after + s(" | ") + row.current +
                       (row.currentColour() == kCurrentDiffersColour ? s(" !") : s(""));
        }
        return out;
    }

    AuditDatabase folder;
    SchemaCache cache;
};

} // namespace

TEST_F(DetailsLoaderTest, ReadsTheAuditRowAndShowsOnlyChangedColumns)
{
    const DetailsResult r = load(s("update"), false, false);
    ASSERT_TRUE(r.record);
    EXPECT_EQ(r.record->TransactionType, s("U"));
    EXPECT_EQ(r.record->SourceTable, s("Orders"));
    EXPECT_EQ(r.record->KeyValues, s("OrderID=1"));
    EXPECT_EQ(r.record->TransactionDate, s("2001-02-01 10:00:00.000"));
    EXPECT_FALSE(r.record->KeyID.isEmpty());
    EXPECT_TRUE(r.errors.isEmpty()) << qPrintable(r.errors.join(s("; ")));

    EXPECT_TRUE(
        r.xmlText.startsWith(s("<AUDIT>\r\n<COLUMN NAME='OrderID' BEFORE='1' AFTER='1'/>\r\n")));
    EXPECT_EQ(table(r),
              (QStringList{s("*Amount | 9.0000 | 10.2500 |  !"), s("*Shipped | 0 | 1 |  !"),
                           s("*OrderDate | NULL | 2001-01-05 09:05:00.000 |  !")}));
    ASSERT_EQ(r.audit.Count(), 3);
    EXPECT_EQ(r.audit.Item(1).FieldName(), s("Amount"));
    EXPECT_EQ(r.audit.Item(3).BeforeValue(), s("NULL"));
    EXPECT_TRUE(r.incomplete.isEmpty()) << qPrintable(r.incomplete);
}

TEST_F(DetailsLoaderTest, ShowCurrentReadsTheRowAsItIsNowInEachTypesFormat)
{
    EXPECT_EQ(CurrentRowQuery(cache, s("Orders"), s("OrderID=1")),
              s("SELECT OrderID,Customer,Amount,Shipped,CONVERT(VARCHAR(32),OrderDate,21) AS "
                "OrderDate,Guid FROM Orders WHERE OrderID='1'"));

    const DetailsResult r = load(s("update"), true, true);
    // Money shows two decimals but compares as a number; the unchanged columns are white rows.
    EXPECT_EQ(table(r),
              (QStringList{s(" OrderID | 1 | 1 | 1"), s(" Customer | Acme | Acme | Acme"),
                           s("*Amount | 9.0000 | 10.2500 | 10.25"), s("*Shipped | 0 | 1 | 1"),
                           s("*OrderDate | NULL | 2001-01-05 09:05:00.000 | "
                             "2001-01-05 09:05:00.000"),
                           s(" Guid | NULL | NULL | NULL")}));
    EXPECT_EQ(r.audit.Count(), 6);
}

TEST_F(DetailsLoaderTest, AnInsertHidesEmptyColumnsAndShowsApostrophes)
{
    const DetailsResult r = load(s("insert"), false, true);
    // Order 3 was changed since: its current values differ from those inserted.
    EXPECT_EQ(table(r), (QStringList{s("*OrderID |  | 3 | 3"), s("*Customer |  | Third | Third"),
                                     s("*Owner |  | O'Neil &lt;x&gt; |  !")}));
    EXPECT_EQ(r.audit.Item(3).AfterValue(), s("O'Neil &lt;x&gt;"));
}

TEST_F(DetailsLoaderTest, ADeletedRowStillShowsItsColumnsWithEmptyCurrentValues)
{
    // The row is gone: the current-row result has no row to read from.
    const DetailsResult r = load(s("delete"), false, true);
    EXPECT_TRUE(r.errors.isEmpty()) << qPrintable(r.errors.join(s("; ")));
    EXPECT_EQ(r.current.RecordCount(), 0);
    EXPECT_EQ(table(r), (QStringList{s("*OrderID | 7 |  | "), s("*Customer | Gone |  | "),
                                     s("*Amount | 1.0000 |  | ")}));
    EXPECT_EQ(r.audit.Count(), 3);
}

TEST_F(DetailsLoaderTest, ValuesKeepTheirTextAndUnreadColumnsShowNoCurrentValue)
{
    EXPECT_EQ(CurrentRowQuery(cache, s("Notes"), s("NoteID=1")),
              s("SELECT NoteID,Stamp,[Key] FROM Notes WHERE NoteID='1'"));
    const DetailsResult r = load(s("notes"), true, true);
    EXPECT_TRUE(r.errors.isEmpty()) << qPrintable(r.errors.join(s("; ")));
    // "><" inside a value stays as it is: the XML tab's line breaks are not parsed back. Memo is
    // a text column, not read for the current row; Stamp is a smalldatetime.
    EXPECT_EQ(table(r), (QStringList{s("*Memo | a><b | hello |  !"),
                                     s(" Stamp | Jan  5 2001  9:05AM | Jan  5 2001  9:05AM | "
                                       "Jan  5 2001 9:05AM !"),
                                     s("*Key | k0 | k1 | k1"), s("*O'Col | x | y |  !")}));
    EXPECT_TRUE(r.xmlText.contains(s("BEFORE='a>\r\n<b'")));
}

TEST_F(DetailsLoaderTest, FailuresEndOnlyTheirOwnStep)
{
    // A COLUMN without its values ends the parse: the rows read before it stay.
    DetailsResult r = load(s("broken"), false, false);
    EXPECT_EQ(table(r), QStringList{s("*Customer | A | B |  !")});
    EXPECT_EQ(r.errors.size(), 1);
    // What was read is shown, marked as not all.
    EXPECT_EQ(r.incomplete, s("Column 2 (\"Amount\") of the audit data has no BEFORE attribute "
                              "where character 75 stands (is an apostrophe in the NAME value not "
                              "written as &apos;?)."));

    // An unknown LogID: nothing is read and nothing else runs.
    r = load(s("missing"), false, true);
    EXPECT_FALSE(r.record);
    EXPECT_TRUE(r.rows.isEmpty());
    EXPECT_TRUE(r.xmlText.isEmpty());
    EXPECT_EQ(r.errors.size(), 1);

    // A database without the audit tables.
    Connection c(folder.connectionString(s("empty")));
    r = DetailsLoader::load(c, cache, s("update"), {false, false});
    EXPECT_FALSE(r.record);
    EXPECT_EQ(r.errors.size(), 1);
}

// The current row of a table outside dbo is read from that table, found by its recorded name.
TEST(CurrentRowQuerySchemas, ReadsFromTheTableInItsSchema)
{
    QList<FieldInfo> fields{{s("TABLE_SCHEMA"), 130}};
    for (const QString& name : SchemaCache::fields())
        fields.push_back({name, name.endsWith(u"_NAME") ? 130 : 3});
    auto rows = std::make_shared<RowSet>(fields);
    rows->appendRow({s("dbo"), s("Orders"), s("Id"), 3, 10, 8, QVariant(), QVariant(), 0});
    rows->appendRow(
        {s("o'brien sales"), s("Orders"), s("Code"), 3, 10, 8, QVariant(), QVariant(), 0});
    const SchemaCache cache = SchemaCache::fromColumnsRowset(Recordset(rows));
    EXPECT_EQ(CurrentRowQuery(cache, s("Orders"), s("Id=1")),
              s("SELECT Id FROM Orders WHERE Id='1'"));
    EXPECT_EQ(CurrentRowQuery(cache, s("o'brien sales.Orders"), s("Code=1")),
              s("SELECT Code FROM [o'brien sales].Orders WHERE Code='1'"));
}
