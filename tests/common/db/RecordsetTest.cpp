#include "common/db/Recordset.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tallix;

namespace {

// A columns-rowset-like result: one NULL and one empty column name among the rows.
Recordset sample()
{
    auto rows = std::make_shared<RowSet>(QList<FieldInfo>{{QStringLiteral("TABLE_NAME"), 130},
                                                          {QStringLiteral("COLUMN_NAME"), 130},
                                                          {QStringLiteral("DATA_TYPE"), 18}});
    rows->appendRow({QStringLiteral("Orders"), QStringLiteral("OrderID"), 3});
    rows->appendRow({QStringLiteral("Orders"), QStringLiteral("Note"), 129});
    rows->appendRow({QStringLiteral("O'Brien"), QStringLiteral("Id"), 3});
    rows->appendRow({QStringLiteral("orders"), QVariant()});
    rows->appendRow(
        {QStringLiteral("Items"), QString(QLatin1String("")), 2, QStringLiteral("surplus")});
    return Recordset(rows);
}

QStringList columnNames(Recordset rs)
{
    QStringList out;
    for (rs.MoveFirst(); !rs.atEnd(); rs.MoveNext())
        out << rs.Field(QStringLiteral("column_name")).toString();
    return out;
}

} // namespace

TEST(Recordset, MovesThroughRowsAndKeepsNullApartFromEmptyText)
{
    Recordset rs = sample();
    EXPECT_EQ(rs.RecordCount(), 5);
    EXPECT_EQ(rs.Field(1).toString(), QStringLiteral("OrderID"));
    rs.MoveLast();
    EXPECT_EQ(rs.Field(QStringLiteral("TABLE_NAME")).toString(), QStringLiteral("Items"));
    EXPECT_EQ(rs.FieldCount(), 3) << "surplus values are dropped";
    rs.MoveNext();
    EXPECT_TRUE(rs.atEnd());
    EXPECT_EQ(test::errorNumber([&] { rs.Field(0); }), AdErrNoCurrentRecord);
    EXPECT_EQ(test::errorNumber([&] { rs.MoveNext(); }), AdErrNoCurrentRecord);
    rs.MoveFirst();
    rs.MovePrevious();
    EXPECT_TRUE(rs.atStart());
    EXPECT_EQ(test::errorNumber([&] { rs.MovePrevious(); }), AdErrNoCurrentRecord);
    rs.MoveFirst();
    EXPECT_EQ(test::errorNumber([&] { rs.Field(QStringLiteral("NOPE")); }), AdErrItemNotFound);
    EXPECT_EQ(test::errorNumber([&] { rs.Field(3); }), AdErrItemNotFound);

    EXPECT_FALSE(rs.ValueAt(3, 1).isValid());
    EXPECT_FALSE(rs.ValueAt(3, 2).isValid()) << "a short row is padded with NULL";
    EXPECT_TRUE(Recordset::isNull(rs.ValueAt(3, 1)));
    EXPECT_TRUE(rs.ValueAt(4, 1).isValid());
    EXPECT_EQ(rs.ValueAt(4, 1).toString(), QString());
    // NULL gives the default text, an empty text stays empty.
    EXPECT_EQ(NzString(rs.ValueAt(3, 1), QStringLiteral("0")), QStringLiteral("0"));
    EXPECT_EQ(NzString(rs.ValueAt(3, 1)), QString());
    EXPECT_EQ(NzString(rs.ValueAt(4, 1), QStringLiteral("0")), QString());
    EXPECT_EQ(NzString(QVariant(16), QStringLiteral("0")), QStringLiteral("16"));

    Recordset none;
    EXPECT_TRUE(none.atEnd() && none.atStart());
    none.MoveLast();
    EXPECT_EQ(none.RecordCount(), 0);
}

TEST(Recordset, FiltersByTableAndByTableAndColumn)
{
    Recordset rs = sample();
    rs.SetFilter(QStringLiteral("TABLE_NAME = 'Orders'"));
    // Text compares without regard to case, as the server's collation does; NULL matches nothing.
    EXPECT_EQ(columnNames(rs),
              (QStringList{QStringLiteral("OrderID"), QStringLiteral("Note"), QString()}));
    rs.SetFilter(QStringLiteral("TABLE_NAME = 'Orders' AND COLUMN_NAME = 'Note'"));
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Field(2).toInt(), 129);
    rs.SetFilter(QStringLiteral("  table_name='O''Brien'   and   COLUMN_NAME =  'Id' "));
    EXPECT_EQ(rs.RecordCount(), 1);
    rs.SetFilter(QStringLiteral("TABLE_NAME = 'nothing'"));
    EXPECT_TRUE(rs.atEnd());
    rs.ClearFilter();
    EXPECT_EQ(rs.RecordCount(), 5);

    rs.SetFilter(QStringLiteral("TABLE_NAME = 'Items'"));
    for (const char* bad : {"TABLE_NAME = 'O'Brien'", "TABLE_NAME = Orders", "TABLE_NAME > 'a'",
                            "TABLE_NAME = 'a' OR COLUMN_NAME = 'b'", "TABLE_NAME = 'a' AND",
                            "= 'a'", "TABLE_NAME = 'open", "NO_SUCH_FIELD = 'a'"}) {
        EXPECT_EQ(test::errorNumber([&] { rs.SetFilter(QString::fromLatin1(bad)); }),
                  AdErrInvalidArgument)
            << bad;
    }
    EXPECT_EQ(rs.RecordCount(), 1) << "a refused filter keeps the old view";
    EXPECT_EQ(rs.Filter(), QStringLiteral("TABLE_NAME = 'Items'"));

    // Clones share the rows but start without the filter and move on their own.
    Recordset copy = rs.Clone();
    EXPECT_EQ(copy.RecordCount(), 5);
    copy.MoveLast();
    copy.MoveNext();
    EXPECT_EQ(rs.Field(0).toString(), QStringLiteral("Items"));
}

TEST(Recordset, ForwardOnlyMovesOnlyForward)
{
    auto rows = std::make_shared<RowSet>(QList<FieldInfo>{{QStringLiteral("n"), 3}});
    for (int i = 1; i <= 3; ++i)
        rows->appendRow({i});
    Recordset rs(rows, Recordset::Cursor::ForwardOnly);
    rs.MoveFirst(); // still on the first row
    int sum = 0;
    for (; !rs.atEnd(); rs.MoveNext())
        sum += rs.Field(0).toInt();
    EXPECT_EQ(sum, 6);
    EXPECT_EQ(test::errorNumber([&] { rs.MoveFirst(); }), AdErrNotAllowed);
    EXPECT_EQ(test::errorNumber([&] { rs.MovePrevious(); }), AdErrNotAllowed);
    EXPECT_EQ(test::errorNumber([&] { rs.MoveLast(); }), AdErrNotAllowed);
    EXPECT_EQ(test::errorNumber([&] { rs.Clone(); }), AdErrNotAllowed);
    EXPECT_EQ(test::errorNumber([&] { rs.SetFilter(QStringLiteral("n = '1'")); }), AdErrNotAllowed);
}
