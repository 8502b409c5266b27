#include "common/settings/PasswordScrambling.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <vector>

using namespace tallix;

namespace {

// Returns the given numbers in turn, as the scrambling asks for them (three fillers, then the
// prefix).
std::function<double()> sequence(std::vector<double> values)
{
    auto index = std::make_shared<std::size_t>(0);
    return [values, index] {
        return values.at((*index)++ % values.size());
    };
}

const QRegularExpression
    kStoredForm(QStringLiteral("^(\\d{4})-(\\d{4})-(\\d*)-(\\d+)-(\\d+)-(\\d+)$"));
const QRegularExpression kOneCharForm(QStringLiteral("^(\\d{4})-(\\d{3})--(\\d+)-(\\d+)-(\\d+)$"));

} // namespace

TEST(PasswordScrambling, KnownFillersGiveTheExactStoredForm)
{
    // "ab": 97+56 = 153, 98+56 = 154 -> D = 153154, split after four digits.
    EXPECT_EQ(ScramblePassword(QStringLiteral("ab"), sequence({0.0})),
              QStringLiteral("0001-1531-54-1-1-1"));
    // Fillers at the top of [0, 1): 32000, 99999, 999999 and prefix 9999.
    EXPECT_EQ(ScramblePassword(QStringLiteral("A"), sequence({0.9999999999})),
              QStringLiteral("9999-121--32000-99999-999999"));
    // r = 0.5 each time: 16001, 50000 (49999.5 + 1), 500000 (499999.5 + 1), 5000 (4999.5 + 1).
    EXPECT_EQ(ScramblePassword(QStringLiteral("pass"), sequence({0.5})),
              QStringLiteral("5000-1681-53171171-16001-50000-500000"));
    EXPECT_EQ(ScramblePassword(QString(), sequence({0.5})), QString());
}

TEST(PasswordScrambling, RoundTripsForEveryLength)
{
    const QStringList texts = {
        QString(),
        QStringLiteral("x"),
        QStringLiteral("xy"),
        QStringLiteral("abc"),
        QStringLiteral("P@ssw0rd with spaces; and=signs - dashes"),
        QStringLiteral("\u00e9"), // two UTF-8 bytes: one character
        QStringLiteral("gr\u00fc\u00dfe \u20ac5 \u4e2d\u6587"),
        QString::fromUcs4(U"\U0001F600!"), // four UTF-8 bytes and a surrogate pair
        QString(300, QLatin1Char('z')),
    };
    for (const QString& text : texts) {
        const QString stored = ScramblePassword(text);
        EXPECT_EQ(UnscramblePassword(stored), text) << qPrintable(stored);
        if (!text.isEmpty()) {
            EXPECT_FALSE(stored.contains(text)) << "the stored form must not show the text";
        }
    }
}

TEST(PasswordScrambling, StoredFormHasTheDocumentedShapeAndRanges)
{
    for (int round = 0; round < 200; ++round) {
        const QString many = ScramblePassword(QStringLiteral("secret"));
        const auto m = kStoredForm.match(many);
        ASSERT_TRUE(m.hasMatch()) << qPrintable(many);
        EXPECT_EQ(m.captured(2) + m.captured(3), QStringLiteral("171157155170157172"));
        const int prefix = m.captured(1).toInt();
        EXPECT_GE(prefix, 1);
        EXPECT_LE(prefix, 9999);
        const long a = m.captured(4).toLong(), b = m.captured(5).toLong(),
                   c = m.captured(6).toLong();
        EXPECT_TRUE(a >= 1 && a <= 32000) << a;
        EXPECT_TRUE(b >= 1 && b <= 99999) << b;
        EXPECT_TRUE(c >= 1 && c <= 999999) << c;
        for (int i = 4; i <= 6; ++i)
            EXPECT_FALSE(m.captured(i).startsWith(QLatin1Char('0'))) << "no leading zeros";

        const QString one = ScramblePassword(QStringLiteral("x"));
        const auto m1 = kOneCharForm.match(one);
        ASSERT_TRUE(m1.hasMatch()) << qPrintable(one);
        EXPECT_EQ(m1.captured(2), QStringLiteral("176"));
    }
}

TEST(PasswordScrambling, TwoScramblingsDifferButUnscrambleAlike)
{
    const QString a = ScramblePassword(QStringLiteral("same"));
    const QString b = ScramblePassword(QStringLiteral("same"));
    EXPECT_NE(a, b);
    EXPECT_EQ(UnscramblePassword(a), QStringLiteral("same"));
    EXPECT_EQ(UnscramblePassword(b), QStringLiteral("same"));
}

TEST(PasswordScrambling, GarbageNeverFailsAndKeepsOnlyWholeGroups)
{
    EXPECT_EQ(UnscramblePassword(QString()), QString());
    EXPECT_EQ(UnscramblePassword(QStringLiteral("1")), QString());
    EXPECT_EQ(UnscramblePassword(QStringLiteral("12345")), QString());
    EXPECT_EQ(UnscramblePassword(QStringLiteral("-----------")), QString());
    EXPECT_EQ(UnscramblePassword(QStringLiteral("not a scrambled password at all")), QString());
    // A trailing partial group is dropped.
    EXPECT_EQ(UnscramblePassword(QStringLiteral("0001-1531-5")), QStringLiteral("a"));
    // Groups out of 056..311 or with non-digits are left out, the rest is kept.
    EXPECT_EQ(UnscramblePassword(QStringLiteral("0001-1539-99x1x154")), QStringLiteral("ab"));
    EXPECT_EQ(UnscramblePassword(QStringLiteral("0001-0551-53-1-1-1")), QStringLiteral("a"));
    // No dash after the digits: everything left is the digit string.
    EXPECT_EQ(UnscramblePassword(QStringLiteral("0001-1531-54")), QStringLiteral("ab"));
}

TEST(PasswordScrambling, BytesThatAreNotUtf8ReadAsWindows1252)
{
    // 0xE9 + 56 = 289 ("é" in Windows-1252), 0x80 + 56 = 184 (the euro sign there).
    EXPECT_EQ(UnscramblePassword(QStringLiteral("0001-2891-84-1-1-1")),
              QStringLiteral("\u00e9\u20ac"));
}
