#include "viewer/restore/IsMoreRecentChange.h"

#include "common/base/Error.h"
#include "common/db/Connection.h"
#include "viewer/query/LogQuery.h"

namespace tallix {

QString MoreRecentChangeQuery(const QString& keyId, const QString& transactionDate)
{
    // Style 121 reads the date the same under every login language.
    return QStringLiteral("SELECT Count(*) FROM Tallix  WHERE KeyID = '") +
           logquery::quoted(keyId) + QStringLiteral("' and TransactionDate > CONVERT(datetime, '") +
           logquery::quoted(transactionDate) + QStringLiteral("', 121)");
}

bool IsMoreRecentChange(Connection& connection, const QString& keyId,
                        const QString& transactionDate, QString* failure)
{
    try {
        Recordset rs = connection.OpenRecordset(MoreRecentChangeQuery(keyId, transactionDate));
        return rs.RecordCount() > 0 && rs.Field(0).toLongLong() > 0;
    } catch (const Error& e) {
        if (failure)
            *failure =
                QStringLiteral(
                    "Error - Can't determine if there are recent changes to this record : ") +
                e.description();
        return false;
    }
}

QString MoreRecentChangeWarning()
{
    return QStringLiteral("-- WARNING !!!\r\n"
                          "-- This current record is more recent than this audit record!\r\n"
                          "\r\n");
}

} // namespace tallix
