#include "common/audit/KeyValues.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tallix;
using audit::KeyPair;
using tallix::test::s;

namespace {
const QString kSep(QChar(1));
} // namespace

TEST(KeyValues, SplitsIntoNameValuePairs)
{
    const struct {
        QString text;
        QList<KeyPair> pairs;
    } cases[] = {
        {s("OrderID=10248"), {{s("OrderID"), s("10248")}}},
        {s("OrderID=1") + kSep + s("LineNo=2") + kSep, // the closing CHAR(1) is allowed
         {{s("OrderID"), s("1")}, {s("LineNo"), s("2")}}},
        {s("Code=a=b"), {{s("Code"), s("a=b")}}},
        {s("k="), {{s("k"), s("")}}},
        {s("k=a\r\nGO\r\n"), {{s("k"), s("a\r\nGO\r\n")}}},
    };
    for (const auto& c : cases) {
        const audit::KeyReading r = audit::readKeyValues(c.text);
        EXPECT_TRUE(r.complete()) << qPrintable(c.text) << qPrintable(r.error);
        EXPECT_EQ(r.pairs, c.pairs) << qPrintable(c.text);
    }
}

TEST(KeyValues, AnythingElseIsRefusedWithTheReason)
{
    const struct {
        QString text;
        const char* error;
    } cases[] = {
        {s(""), "The key text is empty."},
        {s("998-67-2509"),
         "Piece 1 of the key text has no \"=\" between a column name and a value."},
        {s("=5"), "Piece 1 of the key text names no column."},
        {s("a=1") + kSep + kSep + s("b=2"),
         "Piece 2 of the key text has no \"=\" between a column name and a value."},
        {s("a=1") + kSep + s("A=2"), "The key text names the column \"A\" more than once."},
        {s("a\nb=1") + kSep + s("A\nB=2"), "The key text names the column \"A?B\" more than once."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(audit::readKeyValues(c.text).error, s(c.error)) << qPrintable(c.text);
}
