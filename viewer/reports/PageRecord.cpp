#include "viewer/reports/PageRecord.h"

namespace tallix::reports {

namespace {

bool isBidiControl(char16_t c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

} // namespace

QString pageText(const QString& value)
{
    QString out;
    out.reserve(value.size());
    const qsizetype n = value.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = value[i].unicode();
        if (c >= 0x20 && c < 0x7F) {
            out.append(QChar(c));
        } else if (c == u'\r') {
            out.append(QLatin1Char('\n'));
            if (i + 1 < n && value[i + 1] == QLatin1Char('\n'))
                ++i;
        } else if (c == u'\n' || c == 0x2028 || c == 0x2029) {
            out.append(QLatin1Char('\n'));
        } else if (c < 0x20) {
            out.append(QChar(char16_t(0x2400 + c)));
        } else if (c == 0x7F) {
            out.append(QChar(char16_t(0x2421)));
        } else if ((c >= 0x80 && c < 0xA0) || isBidiControl(c) || c == 0xFFFE || c == 0xFFFF) {
            out.append(QChar::ReplacementCharacter);
        } else if (QChar::isHighSurrogate(c)) {
            if (i + 1 < n && value[i + 1].isLowSurrogate()) {
                out.append(value[i]);
                out.append(value[i + 1]);
                ++i;
            } else {
                out.append(QChar::ReplacementCharacter);
            }
        } else if (QChar::isLowSurrogate(c)) {
            out.append(QChar::ReplacementCharacter);
        } else {
            out.append(QChar(c));
        }
    }
    return out;
}

} // namespace tallix::reports
