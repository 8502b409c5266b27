#include "common/db/TsqlConversion.h"

#include "common/base/Error.h"
#include "common/db/ColumnTypeInfo.h"
#include "common/db/DbErrors.h"

#include <QRegularExpression>
#include <QUuid>
#include <algorithm>
#include <cmath>
#include <limits>

namespace tallix {

namespace {

constexpr int kDefaultConvertLength = 30;

Error conversionFailed(const QVariant& value, const QString& type)
{
    return dberror::command(
        QStringLiteral("Conversion failed when converting the value '%1' to data type %2.")
            .arg(value.toString().left(100), type));
}

Error overflow(const QString& type)
{
    return dberror::command(
        QStringLiteral("Arithmetic overflow error converting expression to data type %1.")
            .arg(type));
}

bool isNumber(const QVariant& v)
{
    return v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int ||
           v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Bool;
}

QString asText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double: {
        const double d = value.toDouble();
        return QString::number(d, 'g', 15);
    }
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

std::optional<double> asDouble(const QVariant& value)
{
    if (isNumber(value))
        return value.toDouble();
    bool ok = false;
    const double d = asText(value).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

QVariant toInteger(const QVariant& value, const QString& type, qint64 low, qint64 high)
{
    qint64 n = 0;
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int ||
        value.typeId() == QMetaType::Bool) {
        n = value.toLongLong();
    } else if (value.typeId() == QMetaType::Double) {
        const double d = std::trunc(value.toDouble());
        if (!(d >= static_cast<double>(low) && d <= static_cast<double>(high)))
            throw overflow(type);
        n = static_cast<qint64>(d);
    } else {
        bool ok = false;
        n = asText(value).trimmed().toLongLong(&ok);
        if (!ok)
            throw conversionFailed(value, type);
    }
    if (n < low || n > high)
        throw overflow(type);
    return QVariant(n);
}

QVariant toBit(const QVariant& value)
{
    const QString t = asText(value).trimmed();
    if (!isNumber(value)) {
        if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return QVariant(qint64(1));
        if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return QVariant(qint64(0));
    }
    const std::optional<double> d = asDouble(value);
    if (!d)
        throw conversionFailed(value, QStringLiteral("bit"));
    return QVariant(qint64(*d != 0.0 ? 1 : 0));
}

// Rounds half away from zero on the number's shortest decimal digits, so that 12.345 rounds to
// 12.35 as its digits say, not down as its binary neighbour 12.34499... would.
double roundToScale(double d, int scale)
{
    scale = std::clamp(scale, 0, 30);
    const QString digits = QString::number(std::fabs(d), 'g', 15);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    if (digits.contains(QLatin1Char('e')) || point < 0 || digits.size() - point - 1 <= scale)
        return digits.contains(QLatin1Char('e'))
                   ? std::round(d * std::pow(10.0, scale)) / std::pow(10.0, scale)
                   : d;
    double kept = digits.left(point + 1 + scale).toDouble();
    if (digits.at(point + 1 + scale) >= QLatin1Char('5'))
        kept += std::pow(10.0, -scale);
    kept = QString::number(kept, 'f', scale).toDouble();
    return d < 0 ? -kept : kept;
}

QVariant toDecimal(const QVariant& value, const QString& type, int scale)
{
    const std::optional<double> d = asDouble(value);
    if (!d)
        throw conversionFailed(value, type);
    const double rounded = roundToScale(*d, scale);
    if (scale == 0 && std::fabs(rounded) < 9.2e18)
        return QVariant(static_cast<qint64>(rounded));
    return QVariant(rounded);
}

// SQL Server's default style for date-times as text (what CONVERT(VARCHAR, x) gives), as an
// English-language login reads it: "Jan  5 2001  9:05AM", seconds and milliseconds optional.
std::optional<QDateTime> parseMonthDayYear(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*([A-Za-z]{3})\\s+(\\d{1,2})\\s+(\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})"
                       "(?::(\\d{2})(?:[.:](\\d{1,3}))?)?\\s*([AaPp][Mm])?)?\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int month =
        QStringLiteral("janfebmaraprmayjunjulaugsepoctnovdec").indexOf(m.captured(1).toLower());
    if (month < 0 || month % 3 != 0)
        return std::nullopt;
    int hour = m.captured(4).toInt();
    const QString half = m.captured(8).toUpper();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (half == QLatin1String("PM") ? 12 : 0);
    }
    const QDate date(m.captured(3).toInt(), month / 3 + 1, m.captured(2).toInt());
    const QTime clock(hour, m.captured(5).toInt(), m.captured(6).toInt(),
                      m.captured(7).leftJustified(3, QLatin1Char('0')).toInt());
    if (!date.isValid() || !clock.isValid())
        return std::nullopt;
    return QDateTime(date, clock, Qt::UTC);
}

QVariant toDateTime(const QVariant& value, const QString& type, bool toMinute)
{
    QDateTime when;
    if (isNumber(value)) {
        // A number counts days from 1900-01-01, as in SQL Server.
        const double days = value.toDouble();
        if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
            throw overflow(type);
        when = QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC)
                   .addMSecs(static_cast<qint64>(std::llround(days * 86400000.0)));
    } else {
        const QString text = asText(value);
        std::optional<QDateTime> parsed = TsqlConversion::parseDateTime(text);
        if (!parsed)
            parsed = parseMonthDayYear(text);
        if (!parsed)
            throw dberror::command(QStringLiteral(
                "Conversion failed when converting date and/or time from character string."));
        when = *parsed;
    }
    if (toMinute) {
        const QTime t = when.time();
        when = QDateTime(when.date(), QTime(t.hour(), t.minute()), Qt::UTC);
        if (t.second() >= 30)
            when = when.addSecs(60);
    }
    return QVariant(TsqlConversion::storedDateTime(when));
}

QVariant toGuid(const QVariant& value)
{
    const QByteArray bytes = value.toByteArray();
    if (value.typeId() == QMetaType::QByteArray && bytes.size() == 16)
        return QVariant(QUuid::fromRfc4122(bytes).toString(QUuid::WithBraces).toUpper());
    const QString t = asText(value).trimmed();
    static const QRegularExpression shape(
        QStringLiteral("^(\\{)?[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-"
                       "Fa-f]{12}(\\})?$"));
    const QRegularExpressionMatch m = shape.match(t);
    if (!m.hasMatch() || m.captured(1).isEmpty() != m.captured(2).isEmpty())
        throw dberror::command(QStringLiteral(
            "Conversion failed when converting from a character string to uniqueidentifier."));
    QString core = t;
    if (!m.captured(1).isEmpty())
        core = core.mid(1, core.size() - 2);
    return QVariant(QLatin1Char('{') + core.toUpper() + QLatin1Char('}'));
}

// 'yyyy-MM-dd HH:mm:ss.zzz' with digits where the form has them: how date-times are stored.
// Dates are not checked for being real days; the stored ones are.
bool isStoredDateTime(const QString& text)
{
    static constexpr char kShape[] = "0000-00-00 00:00:00.000";
    if (text.size() != 23)
        return false;
    for (int i = 0; i < 23; ++i) {
        const QChar c = text[i];
        if (kShape[i] == '0' ? !(c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                             : c != QLatin1Char(kShape[i]))
            return false;
    }
    return true;
}

QVariant toCharacters(const QVariant& value, const SqlType& type, const ColumnTypeInfo& info,
                      std::optional<int> style)
{
    QString text = asText(value);
    if (style && !isNumber(value)) {
        const int s = *style;
        if (s == 20 || s == 21 || s == 120 || s == 121) {
            if (isStoredDateTime(text)) {
                // Already in the stored form, which style 21 is; style 20 drops the fraction.
                if (s == 20 || s == 120)
                    text.truncate(19);
            } else if (const std::optional<QDateTime> when = TsqlConversion::parseDateTime(text)) {
                text =
                    when->toString(s == 20 || s == 120 ? QStringLiteral("yyyy-MM-dd HH:mm:ss")
                                                       : QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
            }
        }
    }
    if (info.flags & columnflag::IsLong)
        return QVariant(text); // text, ntext and (max): no limit
    const int length = type.args.isEmpty() ? kDefaultConvertLength : type.args.first();
    if (text.size() > length)
        text.truncate(length);
    if (info.flags & columnflag::IsFixedLength)
        text = text.leftJustified(length, QLatin1Char(' '));
    return QVariant(text);
}

QVariant toBytes(const QVariant& value, const SqlType& type, const ColumnTypeInfo& info)
{
    QByteArray bytes;
    if (value.typeId() == QMetaType::QByteArray) {
        bytes = value.toByteArray();
    } else if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int) {
        const quint64 n = static_cast<quint64>(value.toLongLong());
        for (int shift = 56; shift >= 0; shift -= 8)
            bytes.append(static_cast<char>((n >> shift) & 0xFF));
    } else {
        bytes = asText(value).toUtf8();
    }
    if (info.flags & (columnflag::IsLong | columnflag::IsRowVersion))
        return QVariant(bytes);
    const int length = type.args.isEmpty() ? kDefaultConvertLength : type.args.first();
    if (bytes.size() > length)
        bytes.truncate(length);
    if (info.flags & columnflag::IsFixedLength)
        bytes = bytes.leftJustified(length, '\0');
    return QVariant(bytes);
}

} // namespace

QVariant TsqlConversion::convert(const QString& typeText, const QVariant& value,
                                 std::optional<int> style)
{
    const SqlType type = SqlType::parse(typeText);
    const ColumnTypeInfo info = ColumnTypeInfo::of(type);
    if (info.dataType == dbtype::VARIANT)
        throw dberror::command(
            QStringLiteral("Type %1 is not a defined system type.").arg(typeText.left(100)));
    if (!value.isValid() || value.isNull())
        return QVariant();

    using namespace dbtype;
    switch (info.dataType) {
    case STR:
    case WSTR:
        return toCharacters(value, type, info, style);
    case BOOL:
        return toBit(value);
    case UI1:
        return toInteger(value, type.name, 0, 255);
    case I2:
        return toInteger(value, type.name, -32768, 32767);
    case I4:
        return toInteger(value, type.name, std::numeric_limits<qint32>::min(),
                         std::numeric_limits<qint32>::max());
    case I8:
        return toInteger(value, type.name, std::numeric_limits<qint64>::min(),
                         std::numeric_limits<qint64>::max());
    case NUMERIC:
        return toDecimal(value, type.name, info.numericScale.value_or(0));
    case CY:
        return toDecimal(value, type.name, 4);
    case R4: {
        const std::optional<double> d = asDouble(value);
        if (!d)
            throw conversionFailed(value, type.name);
        return QVariant(static_cast<double>(static_cast<float>(*d)));
    }
    case R8: {
        const std::optional<double> d = asDouble(value);
        if (!d)
            throw conversionFailed(value, type.name);
        return QVariant(*d);
    }
    case DBTIMESTAMP:
        return toDateTime(value, type.name, info.datetimePrecision == 0);
    case GUID:
        return toGuid(value);
    case BYTES:
        return toBytes(value, type, info);
    default:
        throw dberror::command(
            QStringLiteral("Type %1 is not a defined system type.").arg(typeText.left(100)));
    }
}

std::optional<QDateTime> TsqlConversion::parseDateTime(const QString& text)
{
    static const QString time =
        QStringLiteral("(?:[ T](\\d{1,2}):(\\d{2})(?::(\\d{2})(?:\\.(\\d{1,7}))?)?)?\\s*$");
    static const QRegularExpression dashed(QStringLiteral("^\\s*(\\d{4})-(\\d{2})-(\\d{2})") +
                                           time);
    static const QRegularExpression compact(QStringLiteral("^\\s*(\\d{4})(\\d{2})(\\d{2})") + time);
    QRegularExpressionMatch m = dashed.match(text);
    if (!m.hasMatch())
        m = compact.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QTime clock(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!date.isValid() || !clock.isValid())
        return std::nullopt;
    // Fractions of a second to the millisecond; wall-clock time, so no zone shifts it.
    const double fraction =
        m.captured(7).isEmpty() ? 0.0 : (QStringLiteral("0.") + m.captured(7)).toDouble();
    return QDateTime(date, clock, Qt::UTC).addMSecs(std::llround(fraction * 1000.0));
}

QString TsqlConversion::storedDateTime(const QDateTime& value)
{
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

QString TsqlConversion::newGuid()
{
    return QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
}

} // namespace tallix
