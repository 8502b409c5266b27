#include "generator/project/Encryption.h"

#include "common/xml/TextCodec.h"

namespace tallix {

namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

const QByteArray& Encryption::keyDigits()
{
    static const QByteArray digits = [] {
        QByteArray d;
        for (const char c : Key)
            d += QByteArray::number(static_cast<unsigned char>(c));
        return d;
    }();
    return digits;
}

QString Encryption::EncryptText() const
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    const QByteArray& key = keyDigits();
    const QByteArray bytes = encode8Bit(m_text);
    QString out;
    out.reserve(bytes.size() * 2);
    qsizetype p = 0;
    for (const char ch : bytes) {
        // XOR with the code of the digit character, not with the digit's value.
        const auto k = static_cast<unsigned char>(key[p]);
        p = (p + 1) % key.size();
        const auto x = static_cast<unsigned char>(static_cast<unsigned char>(ch) ^ k);
        out += QLatin1Char(kHex[x >> 4]);
        out += QLatin1Char(kHex[x & 0x0F]);
    }
    return out;
}

QString Encryption::DecryptText() const
{
    const QByteArray& key = keyDigits();
    QByteArray bytes;
    bytes.reserve(m_text.size() / 2 + 1);
    qsizetype p = 0;
    for (qsizetype i = 0; i < m_text.size(); i += 2) {
        int value = 0;
        for (qsizetype j = i; j < qMin(i + 2, m_text.size()); ++j) {
            const int digit = hexValue(m_text[j]);
            if (digit < 0)
                break;
            value = value * 16 + digit;
        }
        const auto k = static_cast<unsigned char>(key[p]);
        p = (p + 1) % key.size();
        bytes += static_cast<char>(value ^ k);
    }
    // Decoded without dropping a leading byte-order mark: it belongs to the password.
    return isValidUtf8(bytes) ? QString::fromUtf8(bytes) : decodeWindows1252(bytes);
}

} // namespace tallix
