#include "viewer/details/DetailText.h"

#include "common/audit/SqlQuoting.h"
#include "common/db/ColumnTypeInfo.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "viewer/details/Audit.h"
#include "viewer/details/CurrentValue.h"
#include "viewer/details/DetailsLoader.h"
#include "viewer/details/KeyCondition.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::s;

namespace {

const QString kSep(QChar(1));

} // namespace

TEST(DetailText, FixupStringAndTheXmlTab)
{
    EXPECT_EQ(FixupString(s("O&apos;Brien &lt;b&gt; &amp; &apos;&apos;")),
              s("O'Brien &lt;b&gt; &amp; ''"));
    EXPECT_EQ(FixupString(s("&amp;apos; &APOS;")), s("&amp;apos; &APOS;"));

    EXPECT_EQ(AuditXmlText(s("<AUDIT><COLUMN NAME='Qty' BEFORE='5' AFTER='7'/>"
                             "<COLUMN NAME='Note' BEFORE='NULL' AFTER='late'/></AUDIT>")),
              s("<AUDIT>\r\n<COLUMN NAME='Qty' BEFORE='5' AFTER='7'/>\r\n"
                "<COLUMN NAME='Note' BEFORE='NULL' AFTER='late'/>\r\n</AUDIT>"));
    EXPECT_EQ(AuditXmlText(s("<AUDIT>'<x/></AUDIT>")), s("<AUDIT>\r\n<x/>\r\n</AUDIT>"));
    EXPECT_EQ(AuditXmlText(s("<AUDIT></AUDIT>")), s("<AUDIT>\r\n</AUDIT>"));
}

TEST(KeyCondition, QuotesValuesAndNamesSoKeysCannotChangeTheStatement)
{
    EXPECT_EQ(KeyCondition(s("OrderID=10248")), s("OrderID='10248'"));
    EXPECT_EQ(KeyCondition(s("OrderID=10248") + kSep + s("ProductID=11")),
              s("OrderID='10248' AND ProductID='11'"));
    // A closing separator adds no term; a value may hold "=".
    EXPECT_EQ(KeyCondition(s("Code=a=b") + kSep), s("Code='a=b'"));
    EXPECT_EQ(KeyCondition(s("au_id=O'Neil")), s("au_id='O''Neil'"));
    // Written bare, this value would turn the condition into one that every row meets.
    EXPECT_EQ(KeyCondition(s("au_id=x' OR '1'='1")), s("au_id='x'' OR ''1''=''1'"));
    EXPECT_EQ(KeyCondition(s("OrderID=1") + kSep + s("LineNo=2")),
              s("OrderID='1' AND [LineNo]='2'"));
    EXPECT_EQ(KeyCondition(s("Key=5") + kSep + s("Part No=7") + kSep + s("a]b=1")),
              s("[Key]='5' AND [Part No]='7' AND [a]]b]='1'"));
    EXPECT_EQ(KeyCondition(QString()), QString());
    // A line break in a key value is a CHAR(n) between two parts of the literal.
    EXPECT_EQ(KeyCondition(s("k=a\r\nGO")), s("k='a' + CHAR(13) + '' + CHAR(10) + 'GO'"));

    EXPECT_EQ(FirstKeyColumn(s("OrderID=1") + kSep + s("LineNo=2")), s("OrderID"));
}

TEST(StatementName, BracketsOnlyWhatIsNoRegularIdentifier)
{
    for (const char* bare : {"Orders", "au_id", "_x", "Col1", "a$b#c@d", "Linenumber", "Keys"})
        EXPECT_EQ(SqlQuoting::statementName(s(bare)), s(bare));
    EXPECT_EQ(SqlQuoting::statementName(s("Order Details")), s("[Order Details]"));
    EXPECT_EQ(SqlQuoting::statementName(s("key")), s("[key]"));
    EXPECT_EQ(SqlQuoting::statementName(s("LineNo")), s("[LineNo]"));
    EXPECT_EQ(SqlQuoting::statementName(s("GO")), s("[GO]"));
    EXPECT_EQ(SqlQuoting::statementName(s("1st")), s("[1st]"));
    EXPECT_EQ(SqlQuoting::statementName(s("@v")), s("[@v]"));
    EXPECT_EQ(SqlQuoting::statementName(s("O'Brien")), s("[O'Brien]"));
    EXPECT_EQ(SqlQuoting::statementName(s("x]y")), s("[x]]y]"));
    EXPECT_EQ(SqlQuoting::statementName(QString()), s("[]"));
}

TEST(CurrentValueText, FormatsByTheFieldsType)
{
    EXPECT_EQ(CurrentValueText(QVariant(), dbtype::STR), s("NULL"));
    EXPECT_EQ(CurrentValueText(QVariant(), dbtype::CY), s("NULL"));

    EXPECT_EQ(CurrentValueText(QVariant(10.25), dbtype::CY), s("10.25"));
    EXPECT_EQ(CurrentValueText(QVariant(10.125), dbtype::CY), s("10.13"));
    EXPECT_EQ(CurrentValueText(QVariant(1.005), dbtype::CY), s("1.01"));
    EXPECT_EQ(CurrentValueText(QVariant(s("-2.5")), dbtype::CY), s("-2.50"));
    EXPECT_EQ(CurrentValueText(QVariant(s("99.995")), dbtype::CY), s("100.00"));
    EXPECT_EQ(CurrentValueText(QVariant(qint64(3)), dbtype::CY), s("3.00"));

    EXPECT_EQ(CurrentValueText(QVariant(true), dbtype::BOOL), s("1"));
    EXPECT_EQ(CurrentValueText(QVariant(false), dbtype::BOOL), s("0"));
    EXPECT_EQ(CurrentValueText(QVariant(s("{6F9619FF-8B86-D011-B42D-00C04FC964FF}")), dbtype::GUID),
              s("6F9619FF-8B86-D011-B42D-00C04FC964FF"));

    // A smalldatetime as SQLite and as the server's driver hand it over.
    EXPECT_EQ(CurrentValueText(QVariant(s("2001-01-05 09:05:00.000")), dbtype::DBTIMESTAMP),
              s("Jan  5 2001 9:05AM"));
    EXPECT_EQ(CurrentValueText(QVariant(QDateTime(QDate(2001, 1, 15), QTime(13, 5))),
                               dbtype::DBTIMESTAMP),
              s("Jan 15 2001 01:05PM"));
    EXPECT_EQ(CurrentValueText(QVariant(s("2001-12-10 00:30:00")), dbtype::DBTIMESTAMP),
              s("Dec 10 2001 12:30AM"));
    EXPECT_EQ(CurrentValueText(QVariant(s("2001-03-31 10:00:00")), dbtype::DBTIMESTAMP),
              s("Mar 31 2001 10:00AM"));

    // A datetime arrives as style 21 text and is shown as it is.
    EXPECT_EQ(CurrentValueText(QVariant(s("2001-01-05 09:05:00.000")), dbtype::STR),
              s("2001-01-05 09:05:00.000"));
    EXPECT_EQ(CurrentValueText(QVariant(qint64(42)), dbtype::I4), s("42"));
    EXPECT_EQ(CurrentValueText(QVariant(12.75), dbtype::NUMERIC), s("12.75"));
}

TEST(DetailsLoader, ColumnWidthsShareWhatTheFieldLeaves)
{
    EXPECT_EQ(DetailsLoader::columnWidths(9000, true),
              (std::array<int, 4>{1500, 2500, 2500, 2500}));
    EXPECT_EQ(DetailsLoader::columnWidths(9000, false), (std::array<int, 4>{1500, 3750, 3750, 0}));
    EXPECT_EQ(DetailsLoader::columnWidths(9001, true),
              (std::array<int, 4>{1500, 2500, 2500, 2500}));
    EXPECT_EQ(DetailsLoader::columnWidths(9002, true),
              (std::array<int, 4>{1500, 2501, 2501, 2501}));
}

TEST(Audit, AddsItemsInOrderUnderOptionalKeys)
{
    Audit audit;
    AuditDetails& first = audit.Add(s("Qty"), s("5"), s("7"));
    audit.Add(s("Note"), s("NULL"), s("late"), s("note"));
    EXPECT_EQ(first.FieldName(), s("Qty"));
    EXPECT_EQ(audit.Count(), 2);
    EXPECT_EQ(audit.Item(s("NOTE")).AfterValue(), s("late"));
    EXPECT_EQ(audit.Item(2).BeforeValue(), s("NULL"));
    EXPECT_EQ(test::errorNumber([&] { audit.Add(s("x"), s(""), s(""), s("Note")); }), 457);
    EXPECT_EQ(test::errorNumber([&] { audit.Item(3); }), 9);
    audit.Remove(s("note"));
    QStringList names;
    for (const AuditDetails& item : audit)
        names << item.FieldName();
    EXPECT_EQ(names, QStringList{s("Qty")});
}
