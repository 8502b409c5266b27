#include "examples/demo/AuditRecorder.h"

#include "common/audit/AuditData.h"
#include "common/audit/ColumnTypes.h"
#include "common/audit/KeyValues.h"
#include "common/audit/Limits.h"
#include "common/audit/SqlQuoting.h"
#include "common/db/Recordset.h"
#include "common/db/TsqlConversion.h"

#include <cmath>

namespace tallix::demo {

namespace {

using audit::TypeClass;

// SQL Server's text of a number with a fixed count of decimals.
QString fixed(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return QString::number(std::round(value * scale) / scale, 'f', decimals);
}

// Style 2 of a float: 16 significant digits and a three-digit exponent.
QString floatStyle2(double value)
{
    QString text = QString::number(value, 'e', 15);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    QString exponent = text.mid(e + 2);
    while (exponent.size() < 3)
        exponent.prepend(QLatin1Char('0'));
    return text.left(e + 2) + exponent;
}

// Style 0 of a smalldatetime and other default date texts: "Jan  5 2001  9:05AM".
QString style0(const QDateTime& when)
{
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int hour12 = when.time().hour() % 12 == 0 ? 12 : when.time().hour() % 12;
    return QStringLiteral("%1 %2 %3 %4:%5%6")
        .arg(QLatin1String(months[when.date().month() - 1]))
        .arg(when.date().day(), 2)
        .arg(when.date().year())
        .arg(hour12, 2)
        .arg(when.time().minute(), 2, 10, QLatin1Char('0'))
        .arg(when.time().hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

QString converted(const CColumn& column, const QVariant& value)
{
    switch (audit::typeClassOf(column.datatype)) {
    case TypeClass::Guid: {
        QString text = value.toString();
        if (text.startsWith(QLatin1Char('{')))
            text = text.mid(1, text.size() - 2);
        return text.left(36);
    }
    case TypeClass::Character:
    case TypeClass::UnicodeCharacter: {
        QString text = value.toString();
        if (column.datatype == QLatin1String("char") || column.datatype == QLatin1String("nchar"))
            text = text.leftJustified(column.Size, QLatin1Char(' '));
        return text.left(column.Size);
    }
    case TypeClass::DateTime: {
        const auto when = TsqlConversion::parseDateTime(value.toString());
        return when ? when->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) : value.toString();
    }
    case TypeClass::RowVersion:
        return QString::number(value.toLongLong());
    case TypeClass::Money:
        return fixed(value.toDouble(), 4);
    case TypeClass::Float:
        return floatStyle2(value.toDouble());
    case TypeClass::Decimal:
        return fixed(value.toDouble(), column.NumericScale);
    case TypeClass::Default:
        break;
    }
    QString text;
    if (column.datatype == QLatin1String("bit")) {
        text = value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    } else if (column.datatype == QLatin1String("smalldatetime")) {
        const auto when = TsqlConversion::parseDateTime(value.toString());
        text = when ? style0(*when) : value.toString();
    } else {
        text = value.toString();
    }
    return text.left(30); // VARCHAR without a length holds 30 characters
}

} // namespace

AuditRecorder::AuditRecorder(Connection& db, bool middleTier)
    : m_db(db)
    , m_middleTier(middleTier)
{}

QVariant AuditRecorder::keyTerm(const CColumn& column, const QVariant& value)
{
    return Recordset::isNull(value) ? QVariant() : QVariant(converted(column, value));
}

QString AuditRecorder::valueText(const CColumn& column, const QVariant& value)
{
    return audit::recordedValue(Recordset::isNull(value) ? std::nullopt
                                                         : std::optional(converted(column, value)),
                                audit::typeClassOf(column.datatype));
}

QString AuditRecorder::keyValues(const CTable& table, const Row& row)
{
    QList<audit::KeyPair> pairs;
    for (const CColumn& column : table.Columns) {
        if (column.InPrimaryKey)
            pairs.push_back(
                {column.ColumnName, keyTerm(column, row.value(column.ColumnName)).toString()});
    }
    return audit::keyValuesText(pairs);
}

QString AuditRecorder::auditData(const CTable& table, const Row* before, const Row* after,
                                 bool absentIsNull)
{
    const QString absent = absentIsNull ? QString(audit::kNullValue) : QString();
    QStringList columns;
    for (const CColumn& column : table.Columns) {
        if (!column.Include)
            continue;
        columns << audit::columnElement(
            audit::recordedText(column.ColumnName),
            before ? valueText(column, before->value(column.ColumnName)) : absent,
            after ? valueText(column, after->value(column.ColumnName)) : absent);
    }
    return audit::dataText(columns);
}

std::pair<QString, QString> AuditRecorder::userAndApplication(const Session& who, bool middleTier)
{
    const QString& app = who.appName;
    if (middleTier) {
        const qsizetype open = app.indexOf(QLatin1String("<<"));
        if (open >= 0 && app.indexOf(QLatin1String(">>"), open + 2) >= 0) {
            QString application = app.left(open);
            while (application.endsWith(QLatin1Char(' ')))
                application.chop(1);
            QString user = app.mid(open + 2, 100);
            user = user.left((user + QStringLiteral(">>")).indexOf(QLatin1String(">>")));
            return {user.left(audit::kSessionTextLength),
                    application.left(audit::kSessionTextLength)};
        }
    }
    return {who.login.left(audit::kSessionTextLength), app.left(audit::kSessionTextLength)};
}

QString AuditRecorder::keyIdOf(const QString& table, const QString& keys)
{
    const QString cacheKey = table + QChar(2) + keys;
    auto found = m_keyIds.constFind(cacheKey);
    if (found != m_keyIds.constEnd())
        return found.value();
    const QString id = TsqlConversion::newGuid();
    m_db.Execute(QStringLiteral("INSERT INTO TallixKeys (KeyID, SourceTable, KeyValues) VALUES "
                                "(%1, %2, %3)")
                     .arg(sqlText(id), sqlText(table), sqlText(keys)));
    m_keyIds.insert(cacheKey, id);
    return id;
}

void AuditRecorder::write(const CTable& table, QChar type, const Row& keyRow, const QString& data,
                          const Session& who, const QDateTime& when)
{
    const auto [user, application] = userAndApplication(who, m_middleTier);
    const QString keyId = keyIdOf(table.TableName, keyValues(table, keyRow));
    m_db.Execute(
        QStringLiteral("INSERT INTO Tallix (LogID, SourceTable, TransactionType, TransactionDate, "
                       "Username, Workstation, Application, KeyID, Data) VALUES "
                       "(%1, %2, %3, %4, %5, %6, %7, %8, %9)")
            .arg(sqlText(TsqlConversion::newGuid()), sqlText(table.TableName), sqlText(type),
                 sqlText(TsqlConversion::storedDateTime(when)), sqlText(user),
                 sqlText(who.workstation.left(audit::kSessionTextLength)), sqlText(application),
                 sqlText(keyId), sqlText(data)));
    ++m_rows;
}

void AuditRecorder::inserted(const CTable& table, const QList<Row>& rows, const Session& who,
                             const QDateTime& when)
{
    if (!table.Insert || table.LargeKey || !table.HasPrimaryKey())
        return;
    for (const Row& row : rows)
        write(table, QLatin1Char('I'), row, auditData(table, nullptr, &row, false), who, when);
}

void AuditRecorder::deleted(const CTable& table, const QList<Row>& rows, const Session& who,
                            const QDateTime& when)
{
    if (!table.Delete || table.LargeKey || !table.HasPrimaryKey())
        return;
    for (const Row& row : rows)
        write(table, QLatin1Char('D'), row, auditData(table, &row, nullptr, false), who, when);
}

void AuditRecorder::updated(const CTable& table, const QList<Row>& before, const QList<Row>& after,
                            const Session& who, const QDateTime& when)
{
    if (!table.Update || table.LargeKey || !table.HasPrimaryKey())
        return;
    // The trigger's three statements: unchanged keys (U), new keys (I), vanished keys (D).
    QHash<QString, int> oldKeys;
    QHash<QString, int> newKeys;
    for (int i = 0; i < before.size(); ++i)
        oldKeys.insert(keyValues(table, before[i]), i);
    for (int i = 0; i < after.size(); ++i)
        newKeys.insert(keyValues(table, after[i]), i);
    for (int i = 0; i < after.size(); ++i) {
        const auto old = oldKeys.constFind(keyValues(table, after[i]));
        if (old != oldKeys.constEnd())
            write(table, QLatin1Char('U'), after[i],
                  auditData(table, &before[old.value()], &after[i], false), who, when);
    }
    for (const Row& row : after) {
        if (!oldKeys.contains(keyValues(table, row)))
            write(table, QLatin1Char('I'), row, auditData(table, nullptr, &row, true), who, when);
    }
    for (const Row& row : before) {
        if (!newKeys.contains(keyValues(table, row)))
            write(table, QLatin1Char('D'), row, auditData(table, &row, nullptr, true), who, when);
    }
}

QString sqlText(const QString& text)
{
    return SqlQuoting::literal(text);
}

} // namespace tallix::demo
