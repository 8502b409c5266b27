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

TEST(KeyValues, WrittenAndShownAsListsShowThem)
{
    const struct {
        QList<KeyPair> pairs;
        QString text;
        QString shown;
    } cases[] = {
        {{{s("OrderID"), s("1")}}, s("OrderID=1"), s("OrderID=1")},
        {{{s("stor_id"), s("7131")}, {s("ord_num"), s("A=1")}},
         s("stor_id=7131") + kSep + s("ord_num=A=1"),
         s("stor_id=7131 | ord_num=A=1")},
        {{{s("a"), s("")}, {s("b"), s(" | ")}}, s("a=") + kSep + s("b= | "), s("a= | b= | ")},
        {{}, s(""), s("")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(audit::keyValuesText(c.pairs), c.text);
        EXPECT_EQ(audit::shownKeyValues(c.text), c.shown);
    }
    EXPECT_EQ(audit::keySeparatorExpression(), s("CHAR(1)"));
    EXPECT_EQ(audit::shownKeyValuesExpression(u"slk.KeyValues"),
              s("REPLACE(slk.KeyValues,CHAR(1),' | ')"));
    EXPECT_EQ(audit::splitShownKeyValues(u"stor_id=7131 | ord_num=A | B"),
              (QStringList{s("stor_id=7131"), s("ord_num=A"), s("B")}));
}

TEST(KeyValues, PiecesDropOneClosingSeparatorAndKeepEmptyOnes)
{
    const struct {
        QString text;
        QStringList pieces;
    } cases[] = {
        {s("a=1"), {s("a=1")}},
        {s("a=1") + kSep, {s("a=1")}},
        {s("a=1") + kSep + kSep, {s("a=1"), s("")}},
        {kSep + s("a=1"), {s(""), s("a=1")}},
        {s(""), {s("")}},
    };
    for (const auto& c : cases) {
        QStringList pieces;
        for (const QStringView piece : audit::keyPieces(c.text))
            pieces << piece.toString();
        EXPECT_EQ(pieces, c.pieces) << qPrintable(c.text);
    }
}
