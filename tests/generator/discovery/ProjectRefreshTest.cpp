#include "generator/discovery/ProjectRefresh.h"

#include "generator/model/CTables.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tallix;

namespace {

struct Column {
    const char* name;
    const char* type;
    int size;
    bool key;
    bool include;
};

struct Table {
    const char* schema;
    const char* name;
    bool insert;
    std::initializer_list<Column> columns;
};

CTables tables(std::initializer_list<Table> list)
{
    CTables out;
    for (const Table& t : list) {
        CTable& table = out.Add(QString::fromUtf8(t.schema), QString::fromUtf8(t.name));
        table.Insert = t.insert;
        for (const Column& c : t.columns)
            table.Columns.Add(QString::fromUtf8(c.name), QString::fromUtf8(c.type), c.size, 0, 0,
                              true, c.key, false, c.include);
    }
    return out;
}

// Per table "name I" (I when audited on insert) and per column "name:type:include".
QStringList summary(const CTables& list)
{
    QStringList out;
    for (const CTable& t : list) {
        QString line = t.QualifiedName() + (t.Insert ? u" I"_qs : u" -"_qs);
        for (const CColumn& c : t.Columns)
            line += u' ' + c.ColumnName + u':' + c.datatype + (c.Include ? u"+"_qs : u"-"_qs);
        out << line;
    }
    return out;
}

} // namespace

TEST(ProjectRefresh, KeepsChoicesAddsUnselectedDropsVanishedAndSaysWhatChanged)
{
    CTables project = tables({
        {"",
         "Orders",
         true,
         {{"Id", "int", 0, true, true},
          {"Note", "varchar", 20, false, false},
          {"Old", "int", 0, false, true}}},
        {"sales", "Orders", true, {{"Id", "int", 0, true, true}}},
        {"", "Gone", true, {{"Id", "int", 0, true, true}}},
    });
    const CTables database = tables({
        {"sales", "ORDERS", false, {{"id", "bigint", 0, true, true}}},
        {"dbo",
         "Orders",
         false,
         {{"Id", "int", 0, false, true},
          {"Note", "varchar", 40, false, true},
          {"Memo", "text", 16, false, false},
          {"Code", "char", 3, true, true}}},
        {"o'brien sales", "New", false, {{"Id", "int", 0, true, true}}},
    });
    const QStringList expectedChanges{
        u"column type changed: sales.ORDERS.id int -> bigint"_qs,
        u"column key changed: Orders.Id no longer in the primary key"_qs,
        u"column type changed: Orders.Note varchar(20) -> varchar(40)"_qs,
        u"column added: Orders.Memo text"_qs,
        u"column added: Orders.Code char(3)"_qs,
        u"column removed: Orders.Old"_qs,
        u"table added: o'brien sales.New"_qs,
        u"table removed: Gone"_qs,
    };
    EXPECT_EQ(TableChanges(project, database), expectedChanges);
    EXPECT_EQ(summary(project).size(), 3) << "TableChanges changes nothing";

    EXPECT_EQ(RefreshTables(project, database), expectedChanges);
    EXPECT_TRUE(project.IsDirty);
    // The database's order and spelling, the project's flags and Include marks (Note stays left
    // out), discovery's defaults for what is new.
    EXPECT_EQ(summary(project),
              (QStringList{u"sales.ORDERS I id:bigint+"_qs,
                           u"Orders I Id:int+ Note:varchar- Memo:text- Code:char+"_qs,
                           u"o'brien sales.New - Id:int+"_qs}));
    EXPECT_TRUE(RefreshTables(project, database).isEmpty()) << "a second refresh finds nothing";
}

TEST(ProjectRefresh, AColumnThatBecameALargeObjectIsNoLongerRecordedAndNamesCannotForgeLines)
{
    CTables project = tables({{"", "T", true, {{"Body", "varchar", 20, false, true}}}});
    const CTables database = tables(
        {{"", "T", false, {{"Body", "text", 2147483647, false, false}}}, {"", "x\nOK", false, {}}});
    EXPECT_EQ(RefreshTables(project, database),
              (QStringList{u"column type changed: T.Body varchar(20) -> text"_qs,
                           u"table added: x?OK"_qs}));
    EXPECT_FALSE(project.Item(1).Columns.Item(1).Include);
}
