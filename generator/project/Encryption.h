#pragma once

#include <QString>

namespace tallix {

// Scrambles the project password so that it never stands in the file in plain.
// The text is taken as its 8-bit bytes (UTF-8), so plain ASCII scrambles exactly as
// on the original code page and every text, whatever its characters, comes back.
class Encryption {
public:
    const QString& TextString() const { return m_text; }
    void setTextString(const QString& text) { m_text = text; }

    // Two upper-case hexadecimal digits per byte of TextString; never fails.
    QString EncryptText() const;
    // The reverse of EncryptText. Digits are read two at a time; a group reads up to
    // its first character that is no hexadecimal digit, and no digit reads as 0.
    // Never fails: bytes that are not UTF-8 come back as Windows-1252.
    QString DecryptText() const;

    static constexpr QLatin1StringView Key{"quietlanternkeys"};

    // The key's character codes in decimal, run together.
    static const QByteArray& keyDigits();

private:
    QString m_text;
};

} // namespace tallix
