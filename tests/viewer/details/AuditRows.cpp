#include "tests/viewer/details/AuditRows.h"

#include "common/audit/AuditData.h"
#include "common/audit/KeyValues.h"
#include "common/audit/SqlQuoting.h"

namespace tallix::test {

namespace {

QString literal(const QString& text)
{
    return SqlQuoting::literal(text);
}

} // namespace

QString AuditRows::column(const QString& name, const QString& before, const QString& after)
{
    return audit::columnElement(name, before, after);
}

QString AuditRows::data(const QStringList& columns)
{
    return audit::dataText(columns);
}

QString AuditRows::keyValues(const QStringList& pairs)
{
    return pairs.join(QChar(audit::kKeySeparator));
}

QString AuditRows::keyIdFor(const QString& table, const QString& keyValues)
{
    Recordset rs = m_connection.OpenRecordset(
        QStringLiteral("SELECT KeyID FROM TallixKeys WHERE SourceTable = %1 AND KeyValues = %2")
            .arg(literal(table), literal(keyValues)));
    if (rs.RecordCount() > 0)
        return rs.Field(0).toString();
    // Past the ids that an earlier writer on the same database gave out.
    QString keyId;
    do {
        keyId =
            QStringLiteral("{33333333-0000-0000-0000-%1}").arg(++m_keys, 12, 10, QLatin1Char('0'));
    } while (
        m_connection
            .OpenRecordset(
                QStringLiteral("SELECT KeyID FROM TallixKeys WHERE KeyID = %1").arg(literal(keyId)))
            .RecordCount() > 0);
    m_connection.Execute(QStringLiteral("INSERT INTO TallixKeys (KeyID, SourceTable, KeyValues) "
                                        "VALUES (%1, %2, %3)")
                             .arg(literal(keyId), literal(table), literal(keyValues)));
    return keyId;
}

QString AuditRows::add(const QString& logId, const QString& table, const QString& type,
                       const QString& date, const QString& keyValues, const QString& data)
{
    const QString keyId = keyIdFor(table, keyValues);
    m_connection.Execute(
        QStringLiteral("INSERT INTO Tallix (LogID, SourceTable, TransactionType, TransactionDate, "
                       "Username, Workstation, Application, KeyID, Data) VALUES "
                       "(%1, %2, %3, %4, 'alice', 'WKS1', 'Sales', %5, %6)")
            .arg(literal(logId), literal(table), literal(type), literal(date), literal(keyId),
                 literal(data)));
    return logId;
}

} // namespace tallix::test
