#include "TemplateFixtures.h"
#include "common/base/Error.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <vector>

using namespace tallix;
using namespace tallix::test;

namespace {

// One column of every class and of several default-class types, in the order of
// the golden listings.
std::vector<CColumn> everyClass()
{
    return {makeColumn("RowGuid", "uniqueidentifier"),
            makeColumn("Code", "char", 5),
            makeColumn("Name", "varchar", 10),
            makeColumn("NCode", "nchar", 3),
            makeColumn("Title", "nvarchar", 40),
            makeColumn("Stamp", "datetime"),
            makeColumn("Ver", "timestamp", 8),
            makeColumn("Price", "money"),
            makeColumn("Fee", "smallmoney"),
            makeColumn("Ratio", "float"),
            makeColumn("Weight", "real"),
            makeColumn("Amount", "decimal"),
            makeColumn("Big", "numeric"),
            makeColumn("Id", "int"),
            makeColumn("Born", "smalldatetime"),
            makeColumn("Notes", "text", 2147483647),
            makeColumn("Mixed", "VarChar", 10),
            makeColumn("Odd", "")};
}

const QString kComparison = QStringLiteral("            AND slk.KeyValues = ");

QString listing(const CTable& table, const QString& label, Alias alias, KeyForm form,
                AuditText text = AuditText::Narrow)
{
    QString out = QStringLiteral("# ") + label + QStringLiteral("\r\n");
    if (form == KeyForm::Comparison)
        out += kComparison;
    return out + KeyExpression(table, alias, form, text);
}

// Each listing once per text mode, against its own golden.
const struct {
    AuditText text;
    const char* keys;
    const char* values;
} kModes[] = {
    {AuditText::Narrow, "templates/key_expressions.txt", "templates/value_expressions.txt"},
    {AuditText::Unicode, "templates/key_expressions_unicode.txt",
     "templates/value_expressions_unicode.txt"},
};

} // namespace

TEST(KeyExpression, EveryClassBothFormsAndMultiColumnKeysMatchGolden)
{
    for (const auto& mode : kModes) {
        const AuditText text = mode.text;
        QString out;
        for (const CColumn& c : everyClass()) {
            auto table = makeTable(QStringLiteral("T"), {});
            table->Columns.Add(c.ColumnName, c.datatype, c.Size, 0, 0, false, true, false, true);
            out += listing(*table, c.datatype + QStringLiteral(" select i"), Alias::Inserted,
                           KeyForm::SelectList, text);
            out += listing(*table, c.datatype + QStringLiteral(" comparison d"), Alias::Deleted,
                           KeyForm::Comparison, text);
        }
        auto two = makeTable(QStringLiteral("T"),
                             {{"OrderID", "int", 0, true}, {"LineNo", "smallint", 0, true}});
        out += listing(*two, QStringLiteral("two columns select i"), Alias::Inserted,
                       KeyForm::SelectList, text);
        out += listing(*two, QStringLiteral("two columns select d"), Alias::Deleted,
                       KeyForm::SelectList, text);
        out += listing(*two, QStringLiteral("two columns comparison i"), Alias::Inserted,
                       KeyForm::Comparison, text);
        out += listing(*two, QStringLiteral("two columns comparison d"), Alias::Deleted,
                       KeyForm::Comparison, text);
        auto three = makeTable(QStringLiteral("T"), {{"OrderID", "int", 0, true},
                                                     {"Note", "varchar", 20, false},
                                                     {"Code", "char", 10, true},
                                                     {"Stamp", "datetime", 0, true}});
        out += listing(*three, QStringLiteral("three columns around a non-key column select d"),
                       Alias::Deleted, KeyForm::SelectList, text);
        out += listing(*three, QStringLiteral("three columns around a non-key column comparison i"),
                       Alias::Inserted, KeyForm::Comparison, text);
        EXPECT_MATCHES_GOLDEN(out.toUtf8(), QString::fromUtf8(mode.keys));
    }
}

TEST(ValueExpression, EveryClassBothAliasesMatchGolden)
{
    for (const auto& mode : kModes) {
        QString out;
        for (const CColumn& c : everyClass()) {
            out += c.datatype + QStringLiteral(" i: ") +
                   ValueExpression(c, Alias::Inserted, mode.text) + QStringLiteral("\r\n");
            out += c.datatype + QStringLiteral(" d: ") +
                   ValueExpression(c, Alias::Deleted, mode.text) + QStringLiteral("\r\n");
        }
        EXPECT_MATCHES_GOLDEN(out.toUtf8(), QString::fromUtf8(mode.values));
    }
}

TEST(KeyExpression, OneCharacterColumnHasNoSeparatorAndEndsWithParenthesisAndBlank)
{
    auto table = makeTable(QStringLiteral("T"), {{"Code", "varchar", 10, true}});
    const QString key = KeyExpression(*table, Alias::Inserted, KeyForm::SelectList);
    EXPECT_EQ(key, QStringLiteral("        'Code=' + CONVERT(VARCHAR(10),i.[Code]) \r\n"));
    EXPECT_FALSE(key.contains(QStringLiteral("CHAR(1)")));
}

TEST(KeyExpression, TableWithoutKeyColumnIsAnErrorNotACrash)
{
    auto table = makeTable(QStringLiteral("Notes"), {{"Text", "varchar", 10, false}});
    EXPECT_THROW(KeyExpression(*table, Alias::Inserted, KeyForm::SelectList), Error);
    auto empty = makeTable(QStringLiteral("Empty"), {});
    EXPECT_THROW(KeyExpression(*empty, Alias::Deleted, KeyForm::Comparison), Error);
}

TEST(ValueExpression, EscapesAfterConvertingSoTheCutNeverSplitsAnEntity)
{
    // A value of ten apostrophes in a varchar(10) becomes sixty characters of entities;
    // escaping first and cutting to ten would keep "&apos;&apo".
    const QString v = ValueExpression(makeColumn("Name", "varchar", 10), Alias::Deleted);
    EXPECT_EQ(
        v, QStringLiteral("COALESCE(REPLACE(CONVERT(VARCHAR(10),d.[Name]),'''','&apos;'),'NULL')"));
    EXPECT_FALSE(v.contains(QStringLiteral("VARCHAR(10),REPLACE(")));
    const QString n = ValueExpression(makeColumn("Title", "nvarchar", 40), Alias::Inserted);
    EXPECT_TRUE(n.startsWith(QStringLiteral("COALESCE(REPLACE(CONVERT(NVARCHAR(40),i.[Title])")));
    const QString g = ValueExpression(makeColumn("RowGuid", "uniqueidentifier"), Alias::Inserted);
    EXPECT_TRUE(g.startsWith(QStringLiteral("COALESCE(REPLACE(CONVERT(VARCHAR(36),i.[RowGuid])")));
}

TEST(ValueExpression, MoneyKeepsAllFourDecimalPlacesSoTwelveThirtyFourFiveSixStaysDistinct)
{
    // 12.3456 and 12.3500 would both read 12.35 with the plain money conversion.
    for (const char* type : {"money", "smallmoney"}) {
        const CColumn c = makeColumn("Price", type);
        EXPECT_EQ(ValueExpression(c, Alias::Inserted),
                  QStringLiteral(
                      "COALESCE(CONVERT(VARCHAR(32),CONVERT(DECIMAL(19,4),i.[Price])),'NULL')"));
        auto table = makeTable(QStringLiteral("T"), {{"Price", type, 0, true}});
        EXPECT_EQ(KeyExpression(*table, Alias::Inserted, KeyForm::Comparison),
                  QStringLiteral(
                      "   'Price=' + CONVERT(VARCHAR(32),CONVERT(DECIMAL(19,4),i.[Price])) \r\n"));
    }
}

TEST(ValueExpression, FloatKeepsSixteenDigitsSoOneThirdAndPointThreeThreeThreeDiffer)
{
    // 0.333333 and 1/3 would both read 0.333333 with six significant digits.
    for (const char* type : {"float", "real"}) {
        EXPECT_EQ(ValueExpression(makeColumn("Ratio", type), Alias::Deleted),
                  QStringLiteral("COALESCE(CONVERT(VARCHAR(32),d.[Ratio],2),'NULL')"));
        auto table = makeTable(QStringLiteral("T"), {{"Ratio", type, 0, true}});
        EXPECT_EQ(KeyExpression(*table, Alias::Deleted, KeyForm::SelectList),
                  QStringLiteral("        'Ratio=' + CONVERT(VARCHAR(32),d.[Ratio],2) \r\n"));
    }
}

TEST(ValueExpression, DecimalOfThirtyEightDigitsWithSignAndPointFitsItsConversion)
{
    // -1234567890123456789012345678.9012345678 is 40 characters; 30 overflow and fail the write.
    for (const char* type : {"decimal", "numeric"}) {
        EXPECT_EQ(ValueExpression(makeColumn("Amount", type), Alias::Inserted),
                  QStringLiteral("COALESCE(CONVERT(VARCHAR(40),i.[Amount]),'NULL')"));
        auto table = makeTable(QStringLiteral("T"), {{"Amount", type, 0, true}});
        EXPECT_EQ(KeyExpression(*table, Alias::Inserted, KeyForm::SelectList),
                  QStringLiteral("        'Amount=' + CONVERT(VARCHAR(40),i.[Amount]) \r\n"));
    }
}
