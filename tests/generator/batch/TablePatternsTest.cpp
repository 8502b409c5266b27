#include "generator/batch/TablePatterns.h"

#include <gtest/gtest.h>

using tallix::TablePatterns;

namespace {
QStringList list(std::initializer_list<const char*> words)
{
    QStringList out;
    for (const char* w : words)
        out << QString::fromUtf8(w);
    return out;
}
} // namespace

TEST(TablePatterns, BarePatternsMeanDboAndExcludesWin)
{
    const struct {
        std::initializer_list<const char*> includes, excludes;
        const char* schema;
        const char* table;
        bool chosen;
    } cases[] = {
        {{}, {}, "sales", "Orders", true},
        {{"Orders"}, {}, "dbo", "orders", true},
        {{"Orders"}, {}, "sales", "Orders", false},
        {{"*"}, {}, "", "Orders", true},
        {{"*"}, {}, "sales", "Orders", false},
        {{"*.*"}, {}, "sales", "Orders", true},
        {{"sales.*"}, {}, "SALES", "Orders", true},
        {{"sales.Ord?rs"}, {}, "sales", "Orders", true},
        {{"sales.[OP]*"}, {}, "sales", "People", true},
        {{"sales.[OP]*"}, {}, "sales", "Items", false},
        // "*" crosses dots, so a table with one in its name is still matched.
        {{"*.*"}, {}, "o'brien sales", "a.b", true},
        {{"*.*"}, {"*.Log*"}, "sales", "LogEntries", false},
        {{}, {"Temp*"}, "dbo", "TempOrders", false},
        {{}, {"Temp*"}, "etl", "TempOrders", true},
        {{"Orders", "Items"}, {}, "dbo", "Items", true},
        // A table name is no path: "*" crosses "/" too.
        {{"a*"}, {}, "dbo", "a/b", true},
        {{"[!a-c]*"}, {}, "dbo", "beta", false},
        {{"[!a-c]*"}, {}, "dbo", "delta", true},
        // Regular-expression characters and an open "[" stand for themselves.
        {{"x[(+"}, {}, "dbo", "x[(+", true},
        {{"a.b+"}, {}, "a", "bb", false},
    };
    for (const auto& c : cases) {
        const TablePatterns patterns(list(c.includes), list(c.excludes));
        EXPECT_EQ(patterns.chosen(QString::fromUtf8(c.schema), QString::fromUtf8(c.table)),
                  c.chosen)
            << c.schema << "." << c.table;
    }
}
