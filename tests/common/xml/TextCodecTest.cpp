#include "common/xml/TextCodec.h"

#include <gtest/gtest.h>

using namespace tallix;

TEST(TextCodec, Utf8Validity)
{
    struct Case {
        QByteArray bytes;
        bool valid;
    };
    const Case cases[] = {
        {"", true},
        {"plain ASCII\r\n\0", true},
        {"\xC3\xA9", true},              // U+00E9
        {"\xE2\x82\xAC", true},          // U+20AC
        {"\xF0\x9D\x84\x9E", true},      // U+1D11E
        {"\xF4\x8F\xBF\xBF", true},      // U+10FFFF
        {"\xEF\xBB\xBFx", true},         // byte-order mark
        {"caf\xE9", false},              // Windows-1252
        {"\xC3", false},                 // cut short
        {"\xE2\x82", false},             // cut short
        {"\xC0\x80", false},             // overlong
        {"\xE0\x9F\xBF", false},         // overlong
        {"\xF0\x8F\xBF\xBF", false},     // overlong
        {"\xED\xA0\x80", false},         // surrogate
        {"\xF4\x90\x80\x80", false},     // above U+10FFFF
        {"\xF8\x88\x80\x80\x80", false}, // five bytes
        {"\x80", false},                 // stray continuation
        {"\xC3\xA9\xA9", false},         // one continuation too many
    };
    for (const Case& c : cases)
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.bytes.toHex().constData();

    // Fed in pieces, a sequence may be split anywhere; one left open is invalid.
    const QByteArray clef("a\xF0\x9D\x84\x9E"
                          "b");
    for (qsizetype i = 0; i <= clef.size(); ++i) {
        Utf8Validator v;
        v.feed(QByteArrayView(clef).first(i));
        v.feed(QByteArrayView(clef).sliced(i));
        EXPECT_TRUE(v.isValid()) << i;
    }
    Utf8Validator open;
    open.feed("x\xF0\x9D");
    EXPECT_FALSE(open.isValid());
}

TEST(TextCodec, Windows1252)
{
    const QString text = decodeWindows1252(QByteArrayView("\x80\x81\x8A\x8D\x91\x99\x9F\xA0\xE9\xFF"
                                                          "A",
                                                          11));
    EXPECT_EQ(text,
              QString::fromUtf16(u"\u20AC\u0081\u0160\u008D\u2018\u2122\u0178\u00A0\u00E9\u00FF"
                                 u"A"));
}

TEST(TextCodec, Decode8BitChoosesTheEncoding)
{
    EXPECT_EQ(decode8Bit("caf\xC3\xA9"), QString::fromUtf16(u"caf\u00E9"));
    EXPECT_EQ(decode8Bit("caf\xE9"), QString::fromUtf16(u"caf\u00E9"));
    // One invalid byte makes the whole text Windows-1252, valid sequences included.
    EXPECT_EQ(decode8Bit("\xC3\xA9\xE9"), QString::fromUtf16(u"\u00C3\u00A9\u00E9"));
    EXPECT_EQ(decode8Bit("\xEF\xBB\xBF<a/>"), QStringLiteral("<a/>"));
    EXPECT_EQ(decode8Bit(QByteArrayView("a\0b", 3)), QString::fromUtf16(u"a\0b", 3));
    EXPECT_EQ(encode8Bit(QString::fromUtf16(u"\u00E9\u20AC")), QByteArray("\xC3\xA9\xE2\x82\xAC"));
}

TEST(TextCodec, ChunkDecoderCompletesSplitSequences)
{
    ChunkDecoder utf8(true);
    QString out = utf8.decode("a\xE2");
    out += utf8.decode("\x82");
    out += utf8.decode("\xAC"
                       "b");
    EXPECT_EQ(out, QString::fromUtf16(u"a\u20ACb"));

    ChunkDecoder cp1252(false);
    EXPECT_EQ(cp1252.decode("\xE2\x82"), QString::fromUtf16(u"\u00E2\u201A"));
}
