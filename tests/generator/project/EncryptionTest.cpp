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

TEST(Encryption, Scrambling)
{
    // q u i e t l a n t e r n k e y s = 113 117 105 101 116 108 97 110 116 101 114 110 107 101 121
    // 115
    EXPECT_EQ(Encryption::keyDigits(),
              QByteArray("11311710510111610897110116101114110107101121115"));
    EXPECT_EQ(encrypt(QString()), QString());
    // S^'1' e^'1' c^'3' r^'1' e^'1' t^'7' !^'1'; a code below 16 keeps its zero
    EXPECT_EQ(encrypt(QStringLiteral("Secret!")), QStringLiteral("62545043544310"));
    EXPECT_EQ(encrypt(QStringLiteral("a1")), QStringLiteral("5000"));
    // beyond ASCII the UTF-8 bytes are scrambled: e-acute is C3 A9
    EXPECT_EQ(encrypt(QString::fromUtf16(u"\u00E9")), QStringLiteral("F298"));

    // 'a' (0x61) against the digits: '1' gives 50, '3' 52, '7' 56, '0' 51, '5' 54;
    // the 47th character meets the last digit, the 48th the first one again.
    const QString scrambled = encrypt(QString(48, u'a'));
    ASSERT_EQ(scrambled.size(), 96);
    EXPECT_EQ(scrambled.left(18), QStringLiteral("505052505056505154"));
    EXPECT_EQ(scrambled.mid(92), QStringLiteral("5450"));
}

TEST(Encryption, UnscramblingNeverFails)
{
    EXPECT_EQ(decrypt(QStringLiteral("62545043544310").toLower()), QStringLiteral("Secret!"));
    EXPECT_EQ(decrypt(QString()), QString());
    EXPECT_EQ(decrypt(QStringLiteral("62545")), QStringLiteral("Se6"));      // 5 ^ '3'
    EXPECT_EQ(decrypt(QStringLiteral("G12G")), QStringLiteral("13"));        // 0 ^ '1', 2 ^ '1'
    EXPECT_EQ(decrypt(QStringLiteral("F2")), QString::fromUtf16(u"\u00C3")); // C3 alone: 1252

    for (const QString& text :
         {QString(48, u'a'), QString::fromUtf16(u"\uFEFFbom first"),
          QString::fromUtf16(u"gr\u00FC\u00DF \U0001F600"), QString::fromUtf16(u"\0nul", 4)})
        EXPECT_EQ(decrypt(encrypt(text)), text);
}
