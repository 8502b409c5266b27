#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace tallix {

// Files are 8-bit text in the system's encoding, UTF-8 here. A file that is not
// valid UTF-8 comes from an older Windows installation and is read as Windows-1252,
// so every byte sequence decodes to some text.

// Checks UTF-8 in pieces: overlong forms, surrogates and code points above U+10FFFF
// are invalid, and so is a sequence still open when the input ends.
class Utf8Validator {
public:
    void feed(QByteArrayView bytes);
    bool isValid() const { return !m_bad && m_need == 0; }

private:
    int m_need = 0;
    unsigned char m_low = 0x80;
    unsigned char m_high = 0xBF;
    bool m_bad = false;
};

bool isValidUtf8(QByteArrayView bytes);

// Windows-1252, with the five unassigned bytes mapped to the control characters of
// the same code, as Windows itself converts them.
QString decodeWindows1252(QByteArrayView bytes);

// UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark is dropped),
// Windows-1252 otherwise.
QString decode8Bit(QByteArrayView bytes);

// The 8-bit form in which every file is written: UTF-8 without a byte-order mark.
QByteArray encode8Bit(const QString& text);

// Decodes a byte stream piece by piece in an encoding chosen beforehand; a UTF-8
// sequence split between two pieces is completed by the next one.
class ChunkDecoder {
public:
    explicit ChunkDecoder(bool utf8);
    QString decode(QByteArrayView bytes);

private:
    bool m_utf8;
    QStringDecoder m_decoder;
};

} // namespace tallix
