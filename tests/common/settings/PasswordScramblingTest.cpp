#include "common/settings/PasswordScrambling.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace tallix;

namespace {

std::function<double()> always(double r)
{
    return [r] {
        return r;
    };
}

} // namespace

TEST(PasswordScrambling, KnownFillersGiveTheExactStoredForm)
{
    // "ab": 97+56 = 153, 98+56 = 154 -> D = 153154, split after four digits.
    EXPECT_EQ(ScramblePassword(QStringLiteral("ab"), always(0.0)),
              QStringLiteral("0001-1531-54-1-1-1"));
    EXPECT_EQ(ScramblePassword(QStringLiteral("A"), always(0.9999999999)),
              QStringLiteral("9999-121--32000-99999-999999"));
    // r = 0.5: 16001, 50000 (49999.5 + 1), 500000, prefix 5000 (4999.5 + 1).
    EXPECT_EQ(ScramblePassword(QStringLiteral("pass"), always(0.5)),
              QStringLiteral("5000-1681-53171171-16001-50000-500000"));
    EXPECT_EQ(ScramblePassword(QString(), always(0.5)), QString());
}

TEST(PasswordScrambling, RoundTripsAndHasTheDocumentedShape)
{
    const QRegularExpression form(
        QStringLiteral("^(\\d{4})-(\\d{4})-(\\d*)-([1-9]\\d*)-([1-9]\\d*)-([1-9]\\d*)$"));
    const QRegularExpression oneChar(QStringLiteral("^\\d{4}-176--[1-9]\\d*-[1-9]\\d*-[1-9]\\d*$"));
    const QStringList texts = {QString(),
                               QStringLiteral("xy"),
                               QStringLiteral("abc"),
                               QStringLiteral("P@ssw0rd; with=signs - dashes"),
                               QStringLiteral("\u00e9"),
                               QStringLiteral("gr\u00fc\u00dfe \u20ac5 \u4e2d\u6587"),
                               QString::fromUcs4(U"\U0001F600!"),
                               QString(300, QLatin1Char('z'))};
    for (int round = 0; round < 50; ++round) {
        for (const QString& text : texts) {
            const QString stored = ScramblePassword(text);
            EXPECT_EQ(UnscramblePassword(stored), text) << qPrintable(stored);
            if (text.size() < 2)
                continue;
            const auto m = form.match(stored);
            ASSERT_TRUE(m.hasMatch()) << qPrintable(stored);
            EXPECT_GE(m.captured(1).toInt(), 1);
            EXPECT_LE(m.captured(4).toLong(), 32000);
            EXPECT_LE(m.captured(5).toLong(), 99999);
            EXPECT_LE(m.captured(6).toLong(), 999999);
        }
        const QString x = ScramblePassword(QStringLiteral("x"));
        EXPECT_TRUE(oneChar.match(x).hasMatch()) << qPrintable(x);
        EXPECT_EQ(UnscramblePassword(x), QStringLiteral("x"));
    }
    const QString a = ScramblePassword(QStringLiteral("same"));
    const QString b = ScramblePassword(QStringLiteral("same"));
    EXPECT_NE(a, b) << "the fillers differ";
    EXPECT_EQ(UnscramblePassword(a), UnscramblePassword(b));
}

TEST(PasswordScrambling, GarbageNeverFailsAndKeepsOnlyWholeGroups)
{
    for (const char* nothing : {"", "1", "12345", "-----------", "not a scrambled password at all"})
        EXPECT_EQ(UnscramblePassword(QString::fromLatin1(nothing)), QString()) << nothing;
    EXPECT_EQ(UnscramblePassword(QStringLiteral("0001-1531-5")), QStringLiteral("a"))
        << "partial group";
    EXPECT_EQ(UnscramblePassword(QStringLiteral("0001-1539-99x1x154")), QStringLiteral("ab"));
    EXPECT_EQ(UnscramblePassword(QStringLiteral("0001-0551-53-1-1-1")), QStringLiteral("a"));
    EXPECT_EQ(UnscramblePassword(QStringLiteral("0001-1531-54")), QStringLiteral("ab"));
    // Bytes that are no UTF-8 are Windows-1252: 0xE9 + 56 = 289, 0x80 + 56 = 184.
    EXPECT_EQ(UnscramblePassword(QStringLiteral("0001-2891-84-1-1-1")),
              QStringLiteral("\u00e9\u20ac"));
}
