#include "common/settings/PasswordScrambling.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <algorithm>

namespace tallix {

namespace {

constexpr int kOffset = 56;

// The integer part of scale * r + 1, kept inside 1..scale even for an r at the edge.
long filler(const std::function<double()>& uniform, long scale)
{
    const double r = uniform();
    const long n = static_cast<long>(static_cast<double>(scale) * r) + 1;
    return std::clamp(n, 1L, scale);
}

QString bytesToText(const QByteArray& bytes)
{
    // Stateless: a sequence cut off at the end counts as an error instead of being held back.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder ansi("windows-1252", QStringDecoder::Flag::Stateless);
    if (ansi.isValid()) {
        text = ansi.decode(bytes);
        if (!ansi.hasError())
            return text;
    }
    return QString::fromLatin1(bytes);
}

} // namespace

QString ScramblePassword(const QString& text)
{
    return ScramblePassword(text, [] { return QRandomGenerator::global()->generateDouble(); });
}

QString ScramblePassword(const QString& text, const std::function<double()>& uniform)
{
    if (text.isEmpty())
        return {};
    QString digits;
    const QByteArray bytes = text.toUtf8();
    digits.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const int code = static_cast<unsigned char>(c) + kOffset;
        digits += QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'));
    }
    QString stored = digits.left(4) + QLatin1Char('-') + digits.mid(4);
    stored += QLatin1Char('-') + QString::number(filler(uniform, 32000));
    stored += QLatin1Char('-') + QString::number(filler(uniform, 99999));
    stored += QLatin1Char('-') + QString::number(filler(uniform, 999999));
    const long prefix = filler(uniform, 9999);
    return QStringLiteral("%1-").arg(prefix, 4, 10, QLatin1Char('0')) + stored;
}

QString UnscramblePassword(const QString& stored)
{
    if (stored.isEmpty())
        return {};
    QString rest = stored.mid(5); // the four-digit prefix and its "-"
    rest.remove(4, 1);            // the "-" after the first four digits (if there is one)
    const qsizetype dash = rest.indexOf(QLatin1Char('-'));
    if (dash >= 0)
        rest.truncate(dash);

    QByteArray bytes;
    for (qsizetype i = 0; i + 3 <= rest.size(); i += 3) {
        int code = 0;
        bool digitsOnly = true;
        for (qsizetype j = i; j < i + 3; ++j) {
            const QChar c = rest.at(j);
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                digitsOnly = false;
                break;
            }
            code = code * 10 + (c.unicode() - '0');
        }
        code -= kOffset;
        if (digitsOnly && code >= 0 && code <= 255)
            bytes.append(static_cast<char>(code));
    }
    return bytesToText(bytes);
}

} // namespace tallix
