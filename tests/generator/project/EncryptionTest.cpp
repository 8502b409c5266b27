#include "generator/project/Encryption.h"

#include <gtest/gtest.h>

using namespace tallix;

namespace {

QString encrypt(const QString& text)
{
    Encryption e;
    e.setTextString(text);
    return e.EncryptText();
}

QString decrypt(const QString& text)
{
    Encryption e;
    e.setTextString(text);
    return e.DecryptText();
}

} // namespace

TEST(Encryption, KeyDigitsAreTheKeysCodesInDecimal)
{
    // q u i e t l a n t e r n k e y s = 113 117 105 101 116 108 97 110 116 101 114 110 107 101 121
    // 115
    EXPECT_EQ(Encryption::keyDigits(),
              QByteArray("11311710510111610897110116101114110107101121115"));
    EXPECT_EQ(Encryption::keyDigits().size(), 47);
}

TEST(Encryption, ScramblesWithTheDigitCharacters)
{
    EXPECT_EQ(encrypt(QString()), QString());
    // S^'1' e^'1' c^'3' r^'1' e^'1' t^'7' !^'1'
    EXPECT_EQ(encrypt(QStringLiteral("Secret!")), QStringLiteral("62545043544310"));
    EXPECT_EQ(encrypt(QStringLiteral("pw")), QStringLiteral("4146"));
    // A code below 16 keeps its leading zero.
    EXPECT_EQ(encrypt(QStringLiteral("a1")), QStringLiteral("5000"));
    // Beyond ASCII the bytes of the UTF-8 form are scrambled: e-acute is C3 A9.
    EXPECT_EQ(encrypt(QString::fromUtf16(u"\u00E9")), QStringLiteral("F298"));
    // The same text always gives the same result, and the input is not changed.
    Encryption e;
    e.setTextString(QStringLiteral("Secret!"));
    EXPECT_EQ(e.EncryptText(), e.EncryptText());
    EXPECT_EQ(e.TextString(), QStringLiteral("Secret!"));
}

TEST(Encryption, APasswordLongerThanTheDigitsStartsThemAgain)
{
    // 'a' (0x61) against the digits: '1' gives 50, '3' 52, '7' 56, '0' 51, '5' 54.
    const QString scrambled = encrypt(QString(48, u'a'));
    ASSERT_EQ(scrambled.size(), 96);
    EXPECT_EQ(scrambled.left(18), QStringLiteral("505052505056505154"));
    EXPECT_EQ(scrambled.mid(92, 2), QStringLiteral("54")); // 47th: the last digit, '5'
    EXPECT_EQ(scrambled.mid(94, 2), QStringLiteral("50")); // 48th: the first digit again
    EXPECT_EQ(decrypt(scrambled), QString(48, u'a'));
}

TEST(Encryption, UnscramblingNeverFails)
{
    EXPECT_EQ(decrypt(QStringLiteral("62545043544310")), QStringLiteral("Secret!"));
    EXPECT_EQ(decrypt(QStringLiteral("62545043544310").toLower()), QStringLiteral("Secret!"));
    EXPECT_EQ(decrypt(QString()), QString());
    // A last group of one digit: 5 ^ '3' is '6'.
    EXPECT_EQ(decrypt(QStringLiteral("62545")), QStringLiteral("Se6"));
    // A group reads up to its first non-digit; none reads as 0: 0 ^ '1' and 2 ^ '1'.
    EXPECT_EQ(decrypt(QStringLiteral("G12G")), QStringLiteral("13"));
    // Bytes that are not UTF-8 come back as Windows-1252: C3 alone is A-tilde.
    EXPECT_EQ(decrypt(QStringLiteral("F2")), QString::fromUtf16(u"\u00C3"));

    for (const QString& text :
         {QString::fromUtf16(u"\uFEFFbom first"), QString::fromUtf16(u"gr\u00FC\u00DF \U0001F600"),
          QString(200, u'x'), QString::fromUtf16(u"\0nul\0", 5)}) {
        EXPECT_EQ(decrypt(encrypt(text)), text);
    }
}
