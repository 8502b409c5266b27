#include "common/audit/TableNames.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::s;

// Every way of writing a table's name, for the default schema and for others.
TEST(TableNames, DefaultSchemaKeepsTheBareNameOthersAreQualified)
{
    const struct {
        const char* schema;
        const char* table;
        const char* recorded;
        const char* bracketed;
        const char* statement;
        const char* prefix;
    } cases[] = {
        {"", "Orders", "Orders", "[Orders]", "Orders", "dbo."},
        {"dbo", "Order Details", "Order Details", "[Order Details]", "[Order Details]", "dbo."},
        {"DBO", "Orders", "Orders", "[Orders]", "Orders", "dbo."},
        {"sales", "orders", "sales.orders", "[sales].[orders]", "sales.orders", "sales."},
        {"o'brien sales", "a]b", "o'brien sales.a]b", "[o'brien sales].[a]]b]",
         "[o'brien sales].[a]]b]", "[o'brien sales]."},
        // A reserved word as schema still names the schema.
        {"user", "Key", "user.Key", "[user].[Key]", "[user].[Key]", "[user]."},
        // A dot inside a part stays inside its brackets.
        {"a.b", "c", "a.b.c", "[a.b].[c]", "[a.b].c", "[a.b]."},
    };
    for (const auto& c : cases) {
        const QString schema = s(c.schema);
        const QString table = s(c.table);
        EXPECT_EQ(audit::recordedName(schema, table), s(c.recorded)) << c.recorded;
        QString bracketed;
        audit::appendBracketedTable(bracketed, schema, table);
        EXPECT_EQ(bracketed, s(c.bracketed)) << c.recorded;
        EXPECT_EQ(audit::statementTableName(schema, table), s(c.statement)) << c.recorded;
        EXPECT_EQ(audit::schemaPrefix(schema), s(c.prefix)) << c.recorded;
    }
}

TEST(TableNames, OnlyDboInAnyCaseOrNothingIsTheDefaultSchema)
{
    EXPECT_TRUE(audit::isDefaultSchema(s("")));
    EXPECT_TRUE(audit::isDefaultSchema(s("Dbo")));
    EXPECT_FALSE(audit::isDefaultSchema(s("dbo ")));
    EXPECT_FALSE(audit::isDefaultSchema(s("sales")));
}
