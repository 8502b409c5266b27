#include "viewer/details/AuditRecord.h"

#include "common/db/Connection.h"
#include "viewer/details/DetailText.h"
#include "viewer/query/LogQuery.h"

namespace tallix {

QString AuditRecord::query(const QString& logId, bool unicodeData)
{
    return QStringLiteral("SELECT sl.TransactionType, sl.SourceTable, slk.KeyValues, ") +
           (unicodeData ? QStringLiteral("CAST(sl.Data AS ntext) AS Data")
                        : QStringLiteral("sl.Data")) +
           QStringLiteral(", sl.KeyID, CONVERT(varchar(32),sl.TransactionDate,21) AS "
                          "TransactionDate FROM Tallix sl, TallixKeys slk WHERE sl.LogID = '") +
           // A GUID in any spelling is looked for as the programs read GUIDs back.
           logquery::quoted(logquery::LogIdText(logId).value_or(logId)) +
           QStringLiteral("' AND sl.KeyID = slk.KeyID");
}

std::optional<AuditRecord> AuditRecord::read(Connection& connection, const QString& logId,
                                             bool unicodeData)
{
    Recordset rs = connection.OpenRecordset(query(logId, unicodeData));
    if (rs.RecordCount() == 0)
        return std::nullopt;
    AuditRecord record;
    record.TransactionType = NzString(rs.Field(0));
    record.SourceTable = NzString(rs.Field(1));
    record.KeyValues = NzString(rs.Field(2));
    record.Data = NzString(rs.Field(3));
    record.KeyID = NzString(rs.Field(4));
    record.TransactionDate = NzString(rs.Field(5));
    return record;
}

} // namespace tallix
