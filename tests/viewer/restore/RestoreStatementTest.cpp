#include "viewer/restore/RestoreStatement.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "tests/viewer/restore/ShopDatabase.h"
#include "viewer/details/Audit.h"
#include "viewer/details/AuditRecord.h"

#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::s;
using tallix::test::ShopDatabase;

namespace {

const QString kSep(QChar(1));

class RestoreStatementTest : public ::testing::Test {
protected:
    // The statement; a refusal fails the test.
    QString build(const char* type, const char* table, const QString& keyValues, bool identity)
    {
        const RestoreBuild b =
            BuildRestoreStatement(s(type), s(table), audit, keyValues, identity, shop.cache());
        EXPECT_TRUE(b.ok()) << qPrintable(b.refusal);
        return b.text;
    }
    void add(const char* field, const char* before, const char* after = "")
    {
        audit.Add(s(field), s(before), s(after));
    }

    ShopDatabase shop;
    Audit audit;
};

} // namespace

TEST_F(RestoreStatementTest, UndoingAnInsertDeletesTheRowByItsKey)
{
    EXPECT_EQ(build("I", "OrderLines", s("OrderID=1") + kSep + s("LineNo=2") + kSep, false),
              s("DELETE OrderLines\r\nWHERE OrderID='1' AND [LineNo]='2'\r\n"));
    add("au_id", "", "172-32-1176");
    EXPECT_EQ(build("I", "authors", s("au_id=172-32-1176"), false),
              s("DELETE authors\r\nWHERE au_id='172-32-1176'\r\n"));
    // The key value cannot widen the condition to every row.
    EXPECT_EQ(build("I", "authors", s("au_id=x' OR '1'='1"), false),
              s("DELETE authors\r\nWHERE au_id='x'' OR ''1''=''1'\r\n"));
}

TEST_F(RestoreStatementTest, UndoingAnUpdateSetsTheBeforeValues)
{
    add("au_lname", "O'Brien", "White");
    add("phone", "NULL", "408 496-7223");
    add("contract", "1", "0");
    EXPECT_EQ(build("U", "authors", s("au_id=172-32-1176"), false),
              s("UPDATE authors\r\n"
                "SET\r\n"
                "       au_lname = CAST('O''Brien' AS varchar(40)),\r\n"
                "       phone = NULL,\r\n"
                "       contract = CAST('1' AS bit)\r\n"
                "WHERE au_id='172-32-1176'\r\n"));
}

TEST_F(RestoreStatementTest, AnUpdateWithoutChangedColumnsIsAComment)
{
    EXPECT_EQ(build("U", "authors", s("au_id=172-32-1176"), false),
              s("-- No Change in Data\r\n\r\n"));
}

TEST_F(RestoreStatementTest, UndoingADeleteInsertsTheBeforeValues)
{
    add("au_id", "O'N-001");
    add("au_lname", "O'Neil");
    add("phone", "NULL");
    add("contract", "0");
    EXPECT_EQ(build("D", "authors", s("au_id=O'N-001"), false),
              s("INSERT authors (\r\n"
                "       au_id,\r\n"
                "       au_lname,\r\n"
                "       phone,\r\n"
                "       contract\r\n"
                "       )\r\n"
                "VALUES (\r\n"
                "       CAST('O''N-001' AS varchar(11)),\r\n"
                "       CAST('O''Neil' AS varchar(40)),\r\n"
                "       NULL,\r\n"
                "       CAST('0' AS bit)\r\n"
                "       )\r\n"));
}

TEST_F(RestoreStatementTest, AnIdentityKeyIsWrittenWithIdentityInsertOnAndOffAgain)
{
    add("OrderID", "2");
    add("Customer", "");
    EXPECT_EQ(build("D", "Orders", s("OrderID=2"), true), s("SET IDENTITY_INSERT Orders ON\r\n"
                                                            "GO\r\n"
                                                            "\r\n"
                                                            "INSERT Orders (\r\n"
                                                            "       OrderID,\r\n"
                                                            "       Customer\r\n"
                                                            "       )\r\n"
                                                            "VALUES (\r\n"
                                                            "       CAST('2' AS int),\r\n"
                                                            "       CAST('' AS varchar(40))\r\n"
                                                            "       )\r\n"
                                                            "SET IDENTITY_INSERT Orders OFF\r\n"));

    const SchemaCache& cache = shop.cache();
    EXPECT_TRUE(HasIdentityKey(cache, s("Orders"), s("OrderID")));
    EXPECT_FALSE(HasIdentityKey(cache, s("Counters"), s("Id"))); // int, but flags 24
    EXPECT_FALSE(HasIdentityKey(cache, s("authors"), s("au_id")));
    EXPECT_FALSE(HasIdentityKey(cache, s("Orders"), s("Missing")));
}

TEST_F(RestoreStatementTest, CastsKeepLengthPrecisionScaleAndReadDatesInStyle121)
{
    const SchemaCache& cache = shop.cache();
    // Without them the server would cut the text to 30 characters, round the decimal to a whole
    // number, overflow a bigint's numeric(18,0), and read a date day-first under some languages.
    EXPECT_EQ(ColumnTypeName(cache, s("Orders"), s("Note")), s("nvarchar(100)"));
    EXPECT_EQ(ColumnTypeName(cache, s("Orders"), s("Price")), s("decimal(9,2)"));
    EXPECT_EQ(ColumnTypeName(cache, s("Orders"), s("Big")), s("numeric(19,0)"));
    EXPECT_EQ(ColumnTypeName(cache, s("Orders"), s("Amount")), s("money"));
    EXPECT_EQ(ColumnTypeName(cache, s("orders"), s("customer")), s("varchar(40)"));
    EXPECT_EQ(ColumnTypeName(cache, s("Orders"), s("Missing")), s("*"));
    EXPECT_EQ(ColumnTypeName(cache, s("Missing"), s("Note")), s("*"));

    add("Note", "a text longer than thirty characters, kept whole");
    add("Price", "12.75");
    add("OrderDate", "2024-03-04 10:11:12.123");
    add("Stamp", "Mar  4 2024 10:11AM");
    // Unicode columns get N'...' literals, so no character is lost to a code page.
    EXPECT_EQ(build("U", "Orders", s("OrderID=1"), true),
              s("UPDATE Orders\r\n"
                "SET\r\n"
                "       Note = CAST(N'a text longer than thirty characters, kept whole' AS "
                "nvarchar(100)),\r\n"
                "       Price = CAST('12.75' AS decimal(9,2)),\r\n"
                "       OrderDate = CONVERT(datetime, '2024-03-04 10:11:12.123', 121),\r\n"
                "       Stamp = CAST('Mar  4 2024 10:11AM' AS smalldatetime)\r\n"
                "WHERE OrderID='1'\r\n"));
}

TEST_F(RestoreStatementTest, NamesThatAreNoRegularIdentifiersAreBracketed)
{
    add("Qty", "5");
    add("Key", "A]B");
    EXPECT_EQ(build("U", "Order Details", s("OrderID=1") + kSep + s("ProductID=5"), false),
              s("UPDATE [Order Details]\r\n"
                "SET\r\n"
                "       Qty = CAST('5' AS smallint),\r\n"
                "       [Key] = CAST('A]B' AS varchar(10))\r\n"
                "WHERE OrderID='1' AND ProductID='5'\r\n"));
    EXPECT_EQ(build("D", "Order Details", s("OrderID=1") + kSep + s("ProductID=5"), false),
              s("INSERT [Order Details] (\r\n"
                "       Qty,\r\n"
                "       [Key]\r\n"
                "       )\r\n"
                "VALUES (\r\n"
                "       CAST('5' AS smallint),\r\n"
                "       CAST('A]B' AS varchar(10))\r\n"
                "       )\r\n"));
}

namespace {

// One audit row as read from the audit tables.
AuditRecord row(const char* type, const QString& table, const QString& keyValues,
                const QString& data)
{
    return {s(type), table, keyValues, data, s("{K}"), s("2024-03-04 10:11:12.123")};
}

QString columnData(const char* name, const QString& before, const char* after)
{
    return s("<COLUMN NAME='") + s(name) + s("' BEFORE='") + before + s("' AFTER='") + s(after) +
           s("'/>");
}

QString auditData(const QString& columns)
{
    return s("<AUDIT>") + columns + s("</AUDIT>");
}

} // namespace

TEST_F(RestoreStatementTest, RowsThatCannotBeReadWholeOrNameWhatIsMissingAreRefused)
{
    const QString lname = auditData(columnData("au_lname", s("a"), "b"));
    QString repeated;
    for (int i = 0; i < 10000; ++i)
        repeated += columnData("au_lname", s("a"), "b");
    const QString readWhole = s("The audit data of the row can not be read whole: ");
    const QString readKey = s("The key text of the audit row can not be read: ");
    const struct {
        AuditRecord record;
        QString refusal;
    } cases[] = {
        {row("D", s("authors"), s("au_id=1"), QString()),
         readWhole + s("The audit data is empty.")},
        {row("D", s("authors"), s("au_id=1"), s("<AUDIT><COLUMN NAME='au_lname")),
         readWhole + s("Column 1 of the audit data ends inside its NAME value.")},
        {row("D", s("authors"), s("au_id=1"), auditData(columnData("", s("a"), ""))),
         readWhole + s("Column 1 of the audit data has no name.")},
        {row("U", s("authors"), s("au_id=1"), auditData(repeated)),
         readWhole + s("The audit data records the column \"au_lname\" more than once.")},
        {row("U", s("authors"), s("au_id=1"),
             auditData(s("<COLUMN NAME='au_lname' BEFORE='O'Brien' AFTER='White'/>"))),
         readWhole + s("Column 1 (\"au_lname\") of the audit data has no AFTER attribute where "
                       "character 42 stands (is an apostrophe in the BEFORE value not written "
                       "as &apos;?).")},
        {row("I", s("authors"), QString(), lname), readKey + s("The key text is empty.")},
        {row("I", s("authors"), s("998-67-2509"), lname),
         readKey + s("Piece 1 of the key text has no \"=\" between a column name and a value.")},
        {row("I", s("authors"), s("nope=1"), lname),
         s("The audit row names the key column \"nope\", which the table \"authors\" does not "
           "have.")},
        {row("U", s("authors"), s("au_id=1"), auditData(columnData("b0", s("1"), "2"))),
         s("The audit row names the column \"b0\", which the table \"authors\" does not have.")},
        {row("D", QString(), s("au_id=1"), lname), s("The audit row names no table.")},
        {row("D", s("ghost"), s("au_id=1"), lname),
         s("The table \"ghost\" does not exist in this database.")},
        {row("X", s("authors"), s("au_id=1"), lname),
         s("The audit row has the transaction type \"X\"; only I, U and D can be restored.")},
        {row("", s("authors"), s("au_id=1"), lname),
         s("The audit row has the transaction type \"\"; only I, U and D can be restored.")},
        {row("D", s("authors"), s("au_id=1"), auditData(QString())),
         s("The audit row records no column of the deleted row.")},
        // A name holding a control character is never written, not even in brackets.
        {row("I", s("auth\r\nGO\r\nors"), s("au_id=1"), lname),
         s("The table name \"auth??GO??ors\" holds a line break or another control character "
           "and can not be restored safely.")},
        {row("U", s("authors"), s("au_id=1"), auditData(columnData("au_\nlname", s("a"), "b"))),
         s("The column name \"au_?lname\" holds a line break or another control character and "
           "can not be restored safely.")},
        {row("I", s("authors"), s("au_\tid=1"), lname),
         s("The key column name \"au_?id\" holds a line break or another control character and "
           "can not be restored safely.")},
    };
    for (const auto& c : cases) {
        const RestoreBuild b = BuildRestore(c.record, shop.cache(), false);
        EXPECT_EQ(b.refusal, c.refusal) << qPrintable(c.record.Data.left(80));
        EXPECT_TRUE(b.text.isEmpty()) << qPrintable(b.text);
    }
}

TEST_F(RestoreStatementTest, ControlCharactersInValuesAndKeysStayInsideTheirLiterals)
{
    // No line of the text can be "GO": every CR and LF is a CHAR(n) between two literal parts.
    const QString attack = s("\r\nGO\r\nDROP TABLE victim\r\nGO\r\n");
    const RestoreBuild update =
        BuildRestore(row("U", s("authors"), s("au_id=x") + attack,
                         auditData(columnData("au_lname", s("a&apos;") + attack, "b"))),
                     shop.cache(), false);
    EXPECT_EQ(update.text,
              s("UPDATE authors\r\n"
                "SET\r\n"
                "       au_lname = CAST('a''' + CHAR(13) + '' + CHAR(10) + 'GO' + CHAR(13) + '' + "
                "CHAR(10) + 'DROP TABLE victim' + CHAR(13) + '' + CHAR(10) + 'GO' + CHAR(13) + "
                "'' + CHAR(10) + '' AS varchar(40))\r\n"
                "WHERE au_id='x' + CHAR(13) + '' + CHAR(10) + 'GO' + CHAR(13) + '' + CHAR(10) + "
                "'DROP TABLE victim' + CHAR(13) + '' + CHAR(10) + 'GO' + CHAR(13) + '' + CHAR(10) "
                "+ ''\r\n"))
        << qPrintable(update.refusal);

    // Unicode columns take N'...' and NCHAR(n) throughout.
    const RestoreBuild remove =
        BuildRestore(row("D", s("Orders"), s("OrderID=2"),
                         auditData(columnData("OrderID", s("2"), "") +
                                   columnData("Customer", s("tab\there"), "") +
                                   columnData("Note", s("line1\nline2\u2028"), ""))),
                     shop.cache(), false);
    EXPECT_EQ(remove.text, s("SET IDENTITY_INSERT Orders ON\r\n"
                             "GO\r\n"
                             "\r\n"
                             "INSERT Orders (\r\n"
                             "       OrderID,\r\n"
                             "       Customer,\r\n"
                             "       Note\r\n"
                             "       )\r\n"
                             "VALUES (\r\n"
                             "       CAST('2' AS int),\r\n"
                             "       CAST('tab' + CHAR(9) + 'here' AS varchar(40)),\r\n"
                             "       CAST(N'line1' + NCHAR(10) + N'line2' + NCHAR(8232) + N'' AS "
                             "nvarchar(100))\r\n"
                             "       )\r\n"
                             "SET IDENTITY_INSERT Orders OFF\r\n"))
        << qPrintable(remove.refusal);
}

TEST_F(RestoreStatementTest, AnUpdateNeverSetsAColumnTheServerWillNotSet)
{
    // A forged row claiming the identity column changed, read with and without all fields.
    const AuditRecord forged =
        row("U", s("Orders"), s("OrderID=1"),
            auditData(columnData("OrderID", s("5"), "1") + columnData("Customer", s("A"), "B") +
                      columnData("Amount", s("NULL"), "NULL")));
    for (const bool allFields : {false, true}) {
        EXPECT_EQ(BuildRestore(forged, shop.cache(), allFields).text,
                  s("UPDATE Orders\r\n"
                    "SET\r\n"
                    "       Customer = CAST('A' AS varchar(40))") +
                      (allFields ? s(",\r\n       Amount = NULL\r\n") : s("\r\n")) +
                      s("WHERE OrderID='1'\r\n"))
            << allFields;
    }
    // Only the identity column changed: nothing to set.
    EXPECT_EQ(BuildRestore(row("U", s("Orders"), s("OrderID=1"),
                               auditData(columnData("OrderID", s("5"), "1"))),
                           shop.cache(), true)
                  .text,
              s("-- No Change in Data\r\n\r\n"));

    // Timestamp and computed columns lack the writable flag as identity columns do.
    QList<FieldInfo> fields;
    for (const QString& name : SchemaCache::fields())
        fields.push_back({name, 3});
    auto rows = std::make_shared<RowSet>(fields);
    const struct {
        const char* column;
        QVariant flags;
        bool writable;
    } columns[] = {{"Id", 16, false},   {"Stamp", 16 + 512, false}, {"Total", 16, false},
                   {"Plain", 24, true}, {"Text", 128 + 8, true},    {"Unknown", QVariant(), true}};
    for (const auto& c : columns)
        rows->appendRow({s("T"), s(c.column), 3, 10, c.flags, QVariant(), QVariant(), 0});
    const SchemaCache cache = SchemaCache::fromColumnsRowset(Recordset(rows));
    for (const auto& c : columns)
        EXPECT_EQ(IsWritableColumn(cache, s("T"), s(c.column)), c.writable) << c.column;
    EXPECT_TRUE(IsWritableColumn(cache, s("T"), s("NotInTheCache")));
}

// The cache finds a table by the name its rows record and writes it with its schema; one name in
// three schemas gives three tables, and a name two tables record is refused.
TEST(RestoreStatementSchemas, EveryStatementNamesTheTableInItsSchema)
{
    QList<FieldInfo> fields{{s("TABLE_SCHEMA"), 130}};
    for (const QString& name : SchemaCache::fields())
        fields.push_back({name, name.endsWith(u"_NAME") ? 130 : 3});
    auto rows = std::make_shared<RowSet>(fields);
    const struct {
        const char* schema;
        const char* table;
        const char* column;
    } columns[] = {{"dbo", "Orders", "Id"},
                   {"sales", "Orders", "Code"},
                   {"o'brien sales", "Orders", "Ref"},
                   {"dbo", "a.b", "Id"},
                   {"a", "b", "Id"},
                   {"user", "Key", "Id"}};
    for (const auto& c : columns)
        rows->appendRow(
            {s(c.schema), s(c.table), s(c.column), 3, 10, 8, QVariant(), QVariant(), 0});
    const SchemaCache cache = SchemaCache::fromColumnsRowset(Recordset(rows));

    const struct {
        const char* recorded;
        const char* key;
        const char* statement; // empty: refused
    } cases[] = {
        {"Orders", "Id=1", "DELETE Orders\r\nWHERE Id='1'\r\n"},
        {"sales.Orders", "Code=1", "DELETE sales.Orders\r\nWHERE Code='1'\r\n"},
        {"SALES.orders", "Code=1", "DELETE sales.Orders\r\nWHERE Code='1'\r\n"},
        {"o'brien sales.Orders", "Ref=1", "DELETE [o'brien sales].Orders\r\nWHERE Ref='1'\r\n"},
        {"user.Key", "Id=1", "DELETE [user].[Key]\r\nWHERE Id='1'\r\n"},
        // The columns of one schema's table are not another's.
        {"sales.Orders", "Id=1", ""},
        {"a.b", "Id=1", ""},
    };
    for (const auto& c : cases) {
        const RestoreBuild b =
            BuildRestoreStatement(s("I"), s(c.recorded), Audit(), s(c.key), false, cache);
        EXPECT_EQ(b.text, s(c.statement)) << c.recorded << ": " << qPrintable(b.refusal);
        EXPECT_EQ(b.ok(), *c.statement != 0) << c.recorded;
    }
    EXPECT_TRUE(BuildRestoreStatement(s("I"), s("a.b"), Audit(), s("Id=1"), false, cache)
                    .refusal.contains(s("names tables in two schemas")));
}

TEST_F(RestoreStatementTest, ANarrowLayoutNotesUnicodeValuesThatHoldAQuestionMark)
{
    const QString note = s("-- NOTE: Note: characters outside the code page were recorded as "
                           "\"?\"; check the value before restoring it.\r\n");
    const struct {
        audit::Layout layout;
        const char* column;
        const char* before;
        bool noted;
    } cases[] = {
        {audit::Layout::Narrow, "Note", "Caf? ??", true},
        {audit::Layout::Narrow, "Note", "no mark", false},
        {audit::Layout::Unicode, "Note", "Caf? ??", false}, // recorded whole
        {audit::Layout::Narrow, "Customer", "Who?", false}, // varchar: its own code page
    };
    for (const auto& c : cases) {
        Audit one;
        one.Add(s(c.column), s(c.before), s("x"));
        const RestoreBuild b = BuildRestoreStatement(s("U"), s("Orders"), one, s("OrderID=1"),
                                                     false, shop.cache(), c.layout);
        ASSERT_TRUE(b.ok()) << qPrintable(b.refusal);
        EXPECT_EQ(b.text.startsWith(note), c.noted) << c.column << " " << c.before;
        EXPECT_EQ(b.lossyColumns, c.noted ? QStringList{s("Note")} : QStringList{});
    }

    // The whole text: the note, then the statement as always; a delete is noted alike.
    audit.Add(s("Note"), s("?"), s(""));
    audit.Add(s("Customer"), s("Ann"), s(""));
    const RestoreBuild removal = BuildRestoreStatement(s("D"), s("Orders"), audit, s("OrderID=7"),
                                                       false, shop.cache(), audit::Layout::Narrow);
    EXPECT_EQ(removal.text, note + s("INSERT Orders (\r\n"
                                     "       Note,\r\n"
                                     "       Customer\r\n"
                                     "       )\r\n"
                                     "VALUES (\r\n"
                                     "       CAST(N'?' AS nvarchar(100)),\r\n"
                                     "       CAST('Ann' AS varchar(40))\r\n"
                                     "       )\r\n"));
}

TEST(SchemaCacheAuditLayout, IsReadFromTheTypeOfTallixData)
{
    const struct {
        QVariant dataType, flags, length;
        audit::Layout layout;
    } cases[] = {
        {129, 128, 2147483647, audit::Layout::Narrow},  // text
        {130, 128, 1073741823, audit::Layout::Unicode}, // nvarchar(max) reads as ntext
        {130, 0, 4000, audit::Layout::Unicode},         // nvarchar(4000)
        {QVariant(), QVariant(), QVariant(), audit::Layout::Narrow},
    };
    for (const auto& c : cases) {
        QList<FieldInfo> fields;
        for (const QString& name : SchemaCache::fields())
            fields.push_back({name, name.endsWith(QLatin1StringView("_NAME")) ? 130 : 3});
        auto rows = std::make_shared<RowSet>(fields);
        rows->appendRow(
            {s("Tallix"), s("Data"), c.dataType, QVariant(), c.flags, c.length, QVariant(), 0});
        EXPECT_EQ(SchemaCache::fromColumnsRowset(Recordset(rows)).auditLayout(), c.layout)
            << c.dataType.toInt();
    }
    EXPECT_EQ(SchemaCache().auditLayout(), audit::Layout::Narrow) << "no audit tables known";
}
