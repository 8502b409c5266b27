#include "common/audit/SqlQuoting.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tallix;
using SqlQuoting::LiteralKind;
using tallix::test::s;

TEST(SqlQuoting, LiteralsKeepEveryCharacterAndNoLineEnd)
{
    const struct {
        QString text;
        LiteralKind kind;
        const char* literal;
    } cases[] = {
        {s(""), LiteralKind::Plain, "''"},
        {s(""), LiteralKind::Unicode, "N''"},
        {s("O'Brien"), LiteralKind::Plain, "'O''Brien'"},
        {s("a\r\nGO\r\nb"), LiteralKind::Plain,
         "'a' + CHAR(13) + '' + CHAR(10) + 'GO' + CHAR(13) + '' + CHAR(10) + 'b'"},
        {s("\t'"), LiteralKind::Unicode, "N'' + NCHAR(9) + N''''"},
        {s("caf\u00e9\n"), LiteralKind::Unicode, "N'caf\u00e9' + NCHAR(10) + N''"},
        // Above 127 the code page would decide what CHAR(n) is.
        {s("x\u0085y\u2028"), LiteralKind::Plain, "'x' + NCHAR(133) + 'y' + NCHAR(8232) + ''"},
        {s("\x7f") + QChar(0) + s("]"), LiteralKind::Plain, "'' + CHAR(127) + '' + CHAR(0) + ']'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SqlQuoting::literal(c.text, c.kind), s(c.literal)) << c.literal;
}

TEST(SqlQuoting, StatementNamesLongerThanAnIdentifierAreBracketed)
{
    const QString longest(128, QLatin1Char('a'));
    EXPECT_EQ(SqlQuoting::statementName(longest), longest);
    EXPECT_EQ(SqlQuoting::statementName(longest + s("a")), s("[") + longest + s("a]"));
}

TEST(SqlQuoting, ShownNamesHoldNoControlCharacterAndStayShort)
{
    EXPECT_EQ(SqlQuoting::shownName(s("a\r\nGO\u2028b")), s("a??GO?b"));
    EXPECT_EQ(SqlQuoting::shownName(QString(100, QLatin1Char('x'))),
              QString(100, QLatin1Char('x')));
    EXPECT_EQ(SqlQuoting::shownName(QString(101, QLatin1Char('x'))),
              QString(100, QLatin1Char('x')) + s("..."));
}
