#include "common/xml/TextCodec.h"

namespace tallix {

namespace {

// Bytes 0x80-0x9F of Windows-1252; the rest of the code page equals Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

void Utf8Validator::feed(QByteArrayView bytes)
{
    if (m_bad)
        return;
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (m_need > 0) {
            if (b < m_low || b > m_high) {
                m_bad = true;
                return;
            }
            m_low = 0x80;
            m_high = 0xBF;
            --m_need;
            continue;
        }
        if (b < 0x80)
            continue;
        if (b >= 0xC2 && b <= 0xDF) {
            m_need = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            m_need = 2;
            if (b == 0xE0)
                m_low = 0xA0; // overlong below U+0800
            else if (b == 0xED)
                m_high = 0x9F; // surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            m_need = 3;
            if (b == 0xF0)
                m_low = 0x90; // overlong below U+10000
            else if (b == 0xF4)
                m_high = 0x8F; // above U+10FFFF
        } else {
            m_bad = true;
            return;
        }
    }
}

bool isValidUtf8(QByteArrayView bytes)
{
    Utf8Validator v;
    v.feed(bytes);
    return v.isValid();
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *d++ = (b >= 0x80 && b <= 0x9F) ? QChar(kHighControls[b - 0x80])
                                        : QLatin1Char(static_cast<char>(b));
    }
    return out;
}

QString decode8Bit(QByteArrayView bytes)
{
    if (!isValidUtf8(bytes))
        return decodeWindows1252(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    return QString::fromUtf8(bytes);
}

QByteArray encode8Bit(const QString& text)
{
    return text.toUtf8();
}

ChunkDecoder::ChunkDecoder(bool utf8)
    : m_utf8(utf8)
    , m_decoder(QStringConverter::Utf8)
{}

QString ChunkDecoder::decode(QByteArrayView bytes)
{
    return m_utf8 ? m_decoder.decode(bytes) : decodeWindows1252(bytes);
}

} // namespace tallix
