#include "common/db/sqlite/TsqlLike.h"

#include "common/db/Connection.h"
#include "tests/common/db/AuditDatabase.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::s;

TEST(TsqlLike, PatternsMatchAsOnSqlServer)
{
    struct Case {
        const char* pattern;
        const char* text;
        bool matches;
        char escape = 0;
    };
    const Case cases[] = {
        {"", "", true},
        {"", "a", false},
        {"%", "", true},
        {"%%", "abc", true},
        {"a%c", "abc", true},
        {"a%c", "ac", true},
        {"a%c", "ab", false},
        {"a_c", "abc", true},
        {"a_c", "ac", false},
        {"_", "", false},
        {"ABC", "abc", true},   // letter case ignored
        {"%aab", "aaab", true}, // a % gives back what the rest needs
        {"%a%b%", "xaybz", true},
        {"%a%b%", "xbya", false},
        // Sets, ranges and their negation.
        {"[ab]", "B", true},
        {"[ab]", "c", false},
        {"[a-c]x", "bx", true},
        {"[a-c]x", "dx", false},
        {"[^a-c]", "d", true},
        {"[^a-c]", "b", false},
        {"[a-]", "-", true},
        // A wildcard or a bracket in brackets is itself.
        {"[%]", "%", true},
        {"[%]", "a", false},
        {"[_]", "_", true},
        {"[_]", "a", false},
        {"[[]", "[", true},
        {"%[[]ab]%", "Code=[ab]", true},
        {"%[[]ab]%", "Code=a", false},
        {"%stor[_]id=7131 | ord%", "stor_id=7131 | ord_num=1", true},
        {"%stor[_]id%", "storXid", false},
        // A [ without its ] is itself; so is an empty pair.
        {"[abc", "[abc", true},
        {"[abc", "a", false},
        {"[]", "[]", true},
        // An escape character takes the next one as itself.
        {"%\\%%", "50%", true, '\\'},
        {"%\\%%", "50", false, '\\'},
        {"sqlite\\_%", "sqlite_master", true, '\\'},
        {"sqlite\\_%", "sqlitexmaster", false, '\\'},
        {"!!", "!", true, '!'},
        {"%\\", "a\\", true, '\\'},
        {"\\", "\\", true}, // without ESCAPE a backslash is itself
    };
    for (const Case& c : cases) {
        const std::optional<QChar> escape =
            c.escape ? std::optional<QChar>(QLatin1Char(c.escape)) : std::nullopt;
        EXPECT_EQ(TsqlLike(s(c.pattern), escape).matches(s(c.text)), c.matches)
            << c.pattern << " / " << c.text;
    }
}

TEST(TsqlLike, TheSqliteStandInsLikeIsSqlServers)
{
    tallix::test::AuditDatabase audit;
    Connection db(audit.connectionString());
    db.Open();
    Recordset rs = db.OpenRecordset(
        s("SELECT 'a' LIKE '[ab]', 'Code=a' LIKE '%[[]ab]%', 'x_y' LIKE 'x[_]y', "
          "'xzy' LIKE 'x[_]y', 'sqlite_x' NOT LIKE 'sqlite\\_%' ESCAPE '\\', NULL LIKE 'a', "
          "'ABC' LIKE 'abc'"));
    const char* const expected[] = {"1", "0", "1", "0", "0", "NULL", "1"};
    for (int f = 0; f < rs.FieldCount(); ++f)
        EXPECT_EQ(rs.Field(f).isValid() ? rs.Field(f).toString() : s("NULL"), s(expected[f])) << f;
    // The pattern of a column, different in every row, is read for each row.
    db.Execute(s("CREATE TABLE p (pattern varchar(10), text varchar(10));"
                 "INSERT INTO p VALUES ('[ab]', 'a'); INSERT INTO p VALUES ('[ab]', 'c');"
                 "INSERT INTO p VALUES ('c%', 'cat'); INSERT INTO p VALUES ('[%]', '%')"));
    Recordset rows = db.OpenRecordset(s("SELECT text FROM p WHERE text LIKE pattern ORDER BY 1"));
    QStringList found;
    for (rows.MoveFirst(); !rows.atEnd(); rows.MoveNext())
        found << rows.Field(0).toString();
    EXPECT_EQ(found, (QStringList{s("%"), s("a"), s("cat")}));
    EXPECT_EQ(test::errorNumber([&] { db.OpenRecordset(s("SELECT 'a' LIKE 'a' ESCAPE 'xy'")); }),
              DB_E_ERRORSINCOMMAND);
}
