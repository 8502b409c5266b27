#include "common/xml/TextCodec.h"

#include <gtest/gtest.h>

using namespace tallix;

TEST(TextCodec, Utf8Validity)
{
    const std::pair<QByteArray, bool> cases[] = {
        {"", true},
        {QByteArray("ASCII\r\n\0", 8), true},
        {"\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E\xF4\x8F\xBF\xBF", true}, // up to U+10FFFF
        {"caf\xE9", false},
        {"\xE2\x82", false},         // cut short
        {"\xC0\x80", false},         // overlong
        {"\xE0\x9F\xBF", false},     // overlong
        {"\xF0\x8F\xBF\xBF", false}, // overlong
        {"\xED\xA0\x80", false},     // surrogate
        {"\xF4\x90\x80\x80", false}, // above U+10FFFF
        {"\x80", false},             // stray continuation
    };
    for (const auto& [bytes, valid] : cases)
        EXPECT_EQ(isValidUtf8(bytes), valid) << bytes.toHex().constData();

    // Fed in pieces, a sequence may be split anywhere; one left open is invalid.
    const QByteArray clef("a\xF0\x9D\x84\x9E");
    for (qsizetype i = 0; i <= clef.size(); ++i) {
        Utf8Validator v;
        v.feed(QByteArrayView(clef).first(i));
        EXPECT_EQ(v.isValid(), i == 0 || i == 1 || i == clef.size()) << i;
        v.feed(QByteArrayView(clef).sliced(i));
        EXPECT_TRUE(v.isValid()) << i;
    }
}

TEST(TextCodec, DecodingAndEncoding)
{
    EXPECT_EQ(decodeWindows1252("\x80\x81\x8A\x8D\x91\x99\x9F\xA0\xE9\xFF"),
              QString::fromUtf16(u"\u20AC\u0081\u0160\u008D\u2018\u2122\u0178\u00A0\u00E9\u00FF"));
    EXPECT_EQ(decode8Bit("caf\xC3\xA9"), QString::fromUtf16(u"caf\u00E9"));
    // One invalid byte makes the whole text Windows-1252, valid sequences included.
    EXPECT_EQ(decode8Bit("\xC3\xA9\xE9"), QString::fromUtf16(u"\u00C3\u00A9\u00E9"));
    EXPECT_EQ(decode8Bit("\xEF\xBB\xBF<a/>"), QStringLiteral("<a/>"));
    EXPECT_EQ(encode8Bit(QString::fromUtf16(u"\u00E9\u20AC")), QByteArray("\xC3\xA9\xE2\x82\xAC"));

    ChunkDecoder utf8(true);
    QString joined = utf8.decode("a\xE2");
    joined += utf8.decode("\x82");
    joined += utf8.decode("\xAC");
    EXPECT_EQ(joined, QString::fromUtf16(u"a\u20AC"));
    EXPECT_EQ(ChunkDecoder(false).decode("\xE2\x82"), QString::fromUtf16(u"\u00E2\u201A"));
}
