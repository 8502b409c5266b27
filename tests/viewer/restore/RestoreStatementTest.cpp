#include "viewer/restore/RestoreStatement.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "tests/viewer/restore/ShopDatabase.h"
#include "viewer/details/Audit.h"

#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::s;
using tallix::test::ShopDatabase;

namespace {

const QString kSep(QChar(1));

class RestoreStatementTest : public ::testing::Test {
protected:
    QString build(const char* type, const char* table, const QString& keyValues, bool identity)
    {
        return BuildRestoreStatement(s(type), s(table), audit, keyValues, identity, shop.cache());
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
    add("au_id", "", "172-32-1176");
    EXPECT_EQ(build("I", "authors", s("au_id=172-32-1176"), false),
              s("DELETE authors\r\nWHERE au_id='172-32-1176'\r\n"));
    EXPECT_EQ(build("I", "OrderLines", s("OrderID=1") + kSep + s("LineNo=2") + kSep, false),
              s("DELETE OrderLines\r\nWHERE OrderID='1' AND [LineNo]='2'\r\n"));
    // The key value cannot widen the condition to every row.
    EXPECT_EQ(build("I", "authors", s("au_id=x' OR '1'='1"), false),
              s("DELETE authors\r\nWHERE au_id='x'' OR ''1''=''1'\r\n"));
    EXPECT_EQ(build("X", "authors", s("au_id=1"), false), QString());
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
    add("Missing", "x");
    EXPECT_EQ(build("U", "Orders", s("OrderID=1"), true),
              s("UPDATE Orders\r\n"
                "SET\r\n"
                "       Note = CAST('a text longer than thirty characters, kept whole' AS "
                "nvarchar(100)),\r\n"
                "       Price = CAST('12.75' AS decimal(9,2)),\r\n"
                "       OrderDate = CONVERT(datetime, '2024-03-04 10:11:12.123', 121),\r\n"
                "       Stamp = CAST('Mar  4 2024 10:11AM' AS smalldatetime),\r\n"
                "       Missing = CAST('x' AS *)\r\n"
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
