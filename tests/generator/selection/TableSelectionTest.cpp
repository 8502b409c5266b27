#include "generator/selection/TableSelection.h"

#include "generator/model/CTables.h"

#include <gtest/gtest.h>

using namespace tallix;
namespace ts = tallix::TableSelection;

namespace {

QString checks(const CTables& tables, int row)
{
    const TableRow r = ts::tableRow(tables.Item(row));
    QString out;
    for (int c = ts::All; c <= ts::Delete; ++c)
        out += r.check(c) ? QLatin1Char('x') : QLatin1Char('.');
    return out;
}

QString includes(const CTable& table)
{
    QString out;
    for (const FieldRow& r : ts::fieldRows(table))
        out += r.include ? QLatin1Char('x') : QLatin1Char('.');
    return out;
}

class Selection : public ::testing::Test {
protected:
    void SetUp() override
    {
        CTable& orders = tables.Add(QStringLiteral("Orders"));
        orders.Columns.Add(QStringLiteral("OrderID"), QStringLiteral("int"), 0, 10, 0, false, true,
                           false, true);
        orders.Columns.Add(QStringLiteral("Code"), QStringLiteral("varchar"), 12, 0, 0, true, false,
                           false, true);
        orders.Columns.Add(QStringLiteral("Photo"), QStringLiteral("image"), 2147483647, 0, 0, true,
                           false, false, false);
        orders.Columns.Add(QStringLiteral("Name"), QStringLiteral("nchar"), 5, 0, 0, true, false,
                           false, true);
        orders.Columns.Add(QStringLiteral("Total"), QStringLiteral("decimal"), 0, 10, 2, true,
                           false, false, true);
        tables.Add(QStringLiteral("Huge")).LargeKey = true;
    }
    CTables tables;
};

} // namespace

TEST_F(Selection, AllFollowsTheThreeActions)
{
    EXPECT_TRUE(ts::clickTable(tables, 1, ts::All));
    EXPECT_EQ(checks(tables, 1), QStringLiteral("xxxx"));
    EXPECT_TRUE(tables.Item(1).Insert && tables.Item(1).Update && tables.Item(1).Delete);

    EXPECT_TRUE(ts::clickTable(tables, 1, ts::Update));
    EXPECT_EQ(checks(tables, 1), QStringLiteral(".x.x"));
    EXPECT_FALSE(tables.Item(1).Update);

    EXPECT_TRUE(ts::clickTable(tables, 1, ts::All)); // not all set: All checks every action
    EXPECT_EQ(checks(tables, 1), QStringLiteral("xxxx"));
    EXPECT_TRUE(ts::clickTable(tables, 1, ts::All));
    EXPECT_EQ(checks(tables, 1), QStringLiteral("...."));

    ts::clickTable(tables, 1, ts::Insert);
    ts::clickTable(tables, 1, ts::Update);
    EXPECT_EQ(checks(tables, 1), QStringLiteral(".xx."));
    ts::clickTable(tables, 1, ts::Delete);
    EXPECT_EQ(checks(tables, 1), QStringLiteral("xxxx"));
    EXPECT_FALSE(tables.IsDirty) << "single clicks do not mark the list";
}

TEST_F(Selection, ClicksOnTheHeaderNameOrAMarkedRowChangeNothing)
{
    EXPECT_FALSE(ts::clickTable(tables, 0, ts::All));
    EXPECT_FALSE(ts::clickTable(tables, 1, ts::Name));
    EXPECT_FALSE(ts::clickTable(tables, 2, ts::All));
    EXPECT_FALSE(ts::clickTable(tables, 3, ts::All));
    EXPECT_EQ(checks(tables, 1), QStringLiteral("...."));
    EXPECT_EQ(checks(tables, 2), QStringLiteral("...."));
    EXPECT_TRUE(ts::tableRow(tables.Item(2)).marked);

    // The tables' select all sets marked rows too, and does not mark the list changed.
    ts::selectAllTables(tables, true);
    EXPECT_EQ(checks(tables, 2), QStringLiteral("xxxx"));
    EXPECT_FALSE(tables.DoIGenerateScript(QStringLiteral("Huge")));
    ts::selectAllTables(tables, false);
    EXPECT_EQ(checks(tables, 1) + checks(tables, 2), QStringLiteral("........"));
    EXPECT_FALSE(tables.IsDirty);
}

TEST_F(Selection, FieldRowsAndTheirClicks)
{
    CTable& orders = tables.Item(1);
    const QList<FieldRow> rows = ts::fieldRows(orders);
    ASSERT_EQ(rows.size(), 5);
    EXPECT_TRUE(rows[0].key);
    EXPECT_EQ(rows[0].datatype, QStringLiteral("int"));
    EXPECT_EQ(rows[1].datatype, QStringLiteral("varchar(12)"));
    EXPECT_TRUE(rows[2].marked);
    EXPECT_EQ(rows[2].datatype, QStringLiteral("image"));
    EXPECT_EQ(rows[3].datatype, QStringLiteral("nchar(5)"));
    EXPECT_EQ(rows[4].datatype, QStringLiteral("decimal"));
    EXPECT_EQ(includes(orders), QStringLiteral("xx.xx"));

    EXPECT_TRUE(ts::clickField(orders, 2, ts::Include));
    EXPECT_FALSE(ts::clickField(orders, 3, ts::Include)); // large object
    EXPECT_FALSE(ts::clickField(orders, 4, ts::Field));
    EXPECT_FALSE(ts::clickField(orders, 0, ts::Include));
    EXPECT_EQ(includes(orders), QStringLiteral("x..xx"));
    EXPECT_FALSE(tables.IsDirty);
}

TEST_F(Selection, SelectNoneForFieldsPassesOverLargeObjectsAndMarksTheList)
{
    CTable& orders = tables.Item(1);
    orders.Columns.Item(3).Include = true; // a project may hold it checked
    ts::selectAllFields(tables, orders, false);
    EXPECT_EQ(includes(orders), QStringLiteral("..x.."));
    EXPECT_TRUE(tables.IsDirty);
    ts::selectAllFields(tables, orders, true);
    EXPECT_EQ(includes(orders), QStringLiteral("xxxxx"));
}

TEST(SelectionReasons, AMarkedRowSaysWhyAndOthersSayNothing)
{
    const QString Q = QStringLiteral(" is not recorded: ");
    const struct {
        const char* type;
        const char* reason; // after the column's name and " is not recorded: "; empty: none
    } columns[] = {
        {"text", "the triggers cannot read large-object values (text, ntext, image, and the (max) "
                 "types)."},
        {"ntext", "the triggers cannot read large-object values (text, ntext, image, and the (max) "
                  "types)."},
        {"image", "the triggers cannot read large-object values (text, ntext, image, and the (max) "
                  "types)."},
        {"binary", "binary values cannot be written into the audit data."},
        {"varbinary", "binary values cannot be written into the audit data."},
        {"nvarchar", ""},
        {"timestamp", ""},
    };
    CTables owner;
    CTable& table = owner.Add(QStringLiteral("T"));
    for (const auto& c : columns) {
        const QString name = QStringLiteral("My ") + QString::fromLatin1(c.type);
        const CColumn& column = table.Columns.Add(name, QString::fromLatin1(c.type), 10, 0, 0, true,
                                                  false, false, true);
        const FieldRow row = ts::fieldRow(column);
        const QString expected = *c.reason ? name + Q + QString::fromLatin1(c.reason) : QString();
        EXPECT_EQ(row.reason, expected) << c.type;
        EXPECT_EQ(row.marked, !expected.isEmpty()) << c.type;
    }

    CTables tables;
    tables.Add(QStringLiteral("Plain"));
    tables.Add(QStringLiteral("Keyed")).LargeKey = true;
    const QString longName(65, QLatin1Char('n'));
    tables.Add(longName).LargeKey = true;
    tables.Add(QString(64, QLatin1Char('m'))).LargeKey = true;
    EXPECT_EQ(ts::tableRow(tables.Item(1)).reason, QString());
    EXPECT_EQ(ts::tableRow(tables.Item(2)).reason,
              QStringLiteral("Keyed cannot be audited: the text of its key can be longer than the "
                             "900 characters that TallixKeys.KeyValues holds."));
    EXPECT_EQ(ts::tableRow(tables.Item(3)).reason,
              longName + QStringLiteral(" cannot be audited: its name is longer than the 64 "
                                        "characters that Tallix.SourceTable holds."));
    EXPECT_TRUE(ts::tableRow(tables.Item(4)).reason.contains(QStringLiteral("900")));
}

// The grid names a table outside dbo with its schema, and counts that name against the limit.
TEST(SelectionReasons, TablesOutsideDboAreShownWithTheirSchema)
{
    CTables tables;
    tables.Add(QStringLiteral("dbo"), QStringLiteral("Orders"));
    tables.Add(QStringLiteral("sales"), QStringLiteral("Orders"));
    const QString name60(60, QLatin1Char('n'));
    tables.Add(QStringLiteral("sales"), name60).LargeKey = true;
    EXPECT_EQ(ts::tableRow(tables.Item(1)).name, QStringLiteral("Orders"));
    EXPECT_EQ(ts::tableRow(tables.Item(2)).name, QStringLiteral("sales.Orders"));
    EXPECT_EQ(ts::tableRow(tables.Item(3)).reason,
              QStringLiteral("sales.") + name60 +
                  QStringLiteral(" cannot be audited: its name is longer than the 64 characters "
                                 "that Tallix.SourceTable holds."));
    EXPECT_EQ(tables.GetTable(QStringLiteral("sales.Orders")), &tables.Item(2));
}
