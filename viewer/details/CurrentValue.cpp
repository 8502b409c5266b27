#include "viewer/details/CurrentValue.h"

#include "common/audit/AuditData.h"
#include "common/db/ColumnTypeInfo.h"
#include "common/db/Recordset.h"
#include "common/db/TsqlConversion.h"

#include <QLocale>
#include <QRegularExpression>

namespace tallix {

namespace {

// Two decimals, halves rounded away from zero as the number's decimal text reads (a binary
// double would round 1.005 down).
QString twoDecimals(const QVariant& value)
{
    const QString text = value.typeId() == QMetaType::Double
                             ? QString::number(value.toDouble(), 'f', 6)
                             : value.toString().trimmed();
    static const QRegularExpression number(QStringLiteral("^([-+]?)(\\d*)(?:\\.(\\d*))?$"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()) ||
        m.captured(2).size() > 17)
        return QString::number(value.toDouble(), 'f', 2);
    qint64 whole = m.captured(2).toLongLong();
    const QString fraction = (m.captured(3) + QStringLiteral("000")).left(3);
    int cents = fraction.left(2).toInt();
    if (fraction[2] >= QLatin1Char('5'))
        ++cents;
    if (cents == 100) {
        ++whole;
        cents = 0;
    }
    const bool negative = m.captured(1) == QLatin1String("-") && (whole != 0 || cents != 0);
    return (negative ? QStringLiteral("-") : QString()) + QString::number(whole) +
           QLatin1Char('.') + QStringLiteral("%1").arg(cents, 2, 10, QLatin1Char('0'));
}

QString monthDayYearTime(const QDateTime& when)
{
    const QLocale c = QLocale::c();
    const QDate date = when.date();
    const QTime time = when.time();
    const QString day = date.day() < 10 ? QLatin1Char(' ') + QString::number(date.day())
                                        : QString::number(date.day());
    const QString clock =
        c.toString(time, time.hour() < 10 ? QStringLiteral("h:mmAP") : QStringLiteral("hh:mmAP"));
    return c.monthName(date.month(), QLocale::ShortFormat) + QLatin1Char(' ') + day +
           QLatin1Char(' ') + QString::number(date.year()) + QLatin1Char(' ') + clock;
}

} // namespace

QString CurrentValueText(const QVariant& value, int fieldType)
{
    // As the data text records a NULL, so an unchanged NULL compares equal to its after value.
    if (Recordset::isNull(value))
        return audit::kNullValue;
    switch (fieldType) {
    case dbtype::CY:
        return twoDecimals(value);
    case dbtype::BOOL:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case dbtype::GUID: {
        const QString text = value.toString();
        return text.size() < 2 ? QString() : text.mid(1, text.size() - 2);
    }
    case dbtype::DATE:
    case dbtype::DBTIMESTAMP: {
        std::optional<QDateTime> when;
        if (value.typeId() == QMetaType::QDateTime)
            when = value.toDateTime();
        else
            when = TsqlConversion::parseDateTime(value.toString());
        if (when && when->isValid())
            return monthDayYearTime(*when);
        return value.toString();
    }
    default:
        return value.toString();
    }
}

} // namespace tallix
