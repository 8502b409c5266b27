#include "generator/model/CTables.h"

#include <gtest/gtest.h>

using namespace tallix;

namespace {

CTable& addTable(CTables& tables, const QString& name, bool ins, bool upd, bool del,
                 bool largeKey = false)
{
    CTable& t = tables.Add(name);
    t.Insert = ins;
    t.Update = upd;
    t.Delete = del;
    t.LargeKey = largeKey;
    return t;
}

} // namespace

TEST(CTables, ExactNameLookupDiffersFromCaseFreeKeys)
{
    CTables tables;
    addTable(tables, QStringLiteral("orders"), false, true, false);
    EXPECT_FALSE(tables.DoesKeyExist(QStringLiteral("Orders")));
    EXPECT_EQ(tables.GetTable(QStringLiteral("Orders")), nullptr);
    EXPECT_FALSE(tables.DoIGenerateScript(QStringLiteral("Orders")));
    EXPECT_EQ(tables.Item(QStringLiteral("Orders")).TableName, QStringLiteral("orders"));
    EXPECT_TRUE(tables.DoesKeyExist(QStringLiteral("orders")));
    EXPECT_THROW(tables.Add(QStringLiteral("ORDERS")), Error);
    EXPECT_EQ(tables.Count(), 1);
}

TEST(CTables, ExactLookupStillFindsARenamedTable)
{
    CTables tables;
    addTable(tables, QStringLiteral("a"), true, false, false);
    tables.Item(1).TableName = QStringLiteral("b");
    ASSERT_NE(tables.GetTable(QStringLiteral("b")), nullptr);
    EXPECT_EQ(tables.GetTable(QStringLiteral("a")), nullptr);
    EXPECT_TRUE(tables.DoIGenerateScript(QStringLiteral("b")));
}

TEST(CTables, DoIGenerateScriptTruthTable)
{
    CTables tables;
    int n = 0;
    for (int flags = 0; flags < 16; ++flags) {
        const bool ins = flags & 1, upd = flags & 2, del = flags & 4, large = flags & 8;
        const QString name = QStringLiteral("t%1").arg(n++);
        addTable(tables, name, ins, upd, del, large);
        EXPECT_EQ(tables.DoIGenerateScript(name), (ins || upd || del) && !large)
            << "flags " << flags;
    }
    EXPECT_FALSE(tables.DoIGenerateScript(QStringLiteral("missing")));
}

TEST(CTables, OrderPositionsAndRemoval)
{
    CTables tables;
    for (const char* name : {"c", "a", "b"})
        tables.Add(QString::fromLatin1(name));
    QStringList names;
    for (const CTable& t : tables)
        names << t.TableName;
    EXPECT_EQ(names, QStringList({QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(tables.Item(2).TableName, QStringLiteral("a"));
    tables.Remove(QStringLiteral("A"));
    EXPECT_EQ(tables.Item(2).TableName, QStringLiteral("b"));
    EXPECT_THROW(tables.Item(3), Error);
    EXPECT_THROW(tables.Remove(QStringLiteral("zzz")), Error);
}

TEST(CTables, SaveAndLoadClearTheChangeFlagOnly)
{
    CTables tables;
    addTable(tables, QStringLiteral("authors"), true, false, false);
    tables.IsDirty = true;
    tables.Load(QStringLiteral("<TABLES><TABLE TableName=\"x\" /></TABLES>"));
    EXPECT_FALSE(tables.IsDirty);
    ASSERT_EQ(tables.Count(), 1);
    EXPECT_EQ(tables.Item(1).TableName, QStringLiteral("authors"));
    tables.IsDirty = true;
    EXPECT_EQ(tables.Save(), tables.ObjectToXML());
    EXPECT_FALSE(tables.IsDirty);
}

TEST(CColumns, AddKeepsEveryValueAndTheOrder)
{
    CTable table;
    table.Columns.Add(QStringLiteral("Price"), QStringLiteral("decimal"), 0, 10, 2, true, false,
                      false, true);
    table.Columns.Add(QStringLiteral("ID"), QStringLiteral("int"), 4, 10, 0, false, true, true,
                      false);
    ASSERT_EQ(table.Columns.Count(), 2);
    const CColumn& price = table.Columns.Item(1);
    EXPECT_EQ(price.ColumnName, QStringLiteral("Price"));
    EXPECT_EQ(price.NumericPrecision, 10);
    EXPECT_EQ(price.NumericScale, 2);
    EXPECT_TRUE(price.Nulls);
    EXPECT_TRUE(price.Include);
    const CColumn& id = table.Columns.Item(2);
    EXPECT_TRUE(id.InPrimaryKey);
    EXPECT_TRUE(id.Identity);
    EXPECT_EQ(id.Size, 4);
    EXPECT_TRUE(table.HasPrimaryKey());
    table.Columns.Remove(2);
    EXPECT_FALSE(table.HasPrimaryKey());
}

TEST(CTables, ObjectToXMLMatchesTheProjectLayout)
{
    CTables tables;
    CTable& t = addTable(tables, QStringLiteral("authors"), true, false, false);
    t.Columns.Add(QStringLiteral("au_id"), QStringLiteral("varchar"), 11, 0, 0, false, true, false,
                  true);
    t.Columns.Add(QStringLiteral("q\"<&"), QStringLiteral("int"), -1, -5, 0, true, false, false,
                  false);
    addTable(tables, QStringLiteral("empty"), false, false, false, true);
    const QString expected = QStringLiteral(
        "<TABLES>\r\n"
        "   <TABLE TableName=\"authors\" Insert=\"True\" Update=\"False\" Delete=\"False\" "
        "LargeKey=\"False\" />\r\n"
        "      <COLUMNS>\r\n"
        "         <COLUMN ColumnName=\"au_id\" DataType=\"varchar\" Size=\"11\" "
        "NumericPrecision=\"0\" NumericScale=\"0\" Nulls=\"False\" InPrimaryKey=\"True\" "
        "Identity=\"False\" Include=\"True\" />\r\n"
        "         <COLUMN ColumnName=\"q&quot;<&\" DataType=\"int\" Size=\"-1\" "
        "NumericPrecision=\"-5\" NumericScale=\"0\" Nulls=\"True\" InPrimaryKey=\"False\" "
        "Identity=\"False\" Include=\"False\" />\r\n"
        "      </COLUMNS>\r\n"
        "   </TABLE>\r\n"
        "   <TABLE TableName=\"empty\" Insert=\"False\" Update=\"False\" Delete=\"False\" "
        "LargeKey=\"True\" />\r\n"
        "      <COLUMNS>\r\n"
        "      </COLUMNS>\r\n"
        "   </TABLE>\r\n"
        "</TABLES>\r\n");
    EXPECT_EQ(tables.ObjectToXML(), expected);
    EXPECT_EQ(CTables().ObjectToXML(), QStringLiteral("<TABLES>\r\n</TABLES>\r\n"));
}
