#include "viewer/restore/RestoreText.h"

#include "viewer/details/DetailsLoader.h"
#include "viewer/details/KeyCondition.h"
#include "viewer/restore/IsMoreRecentChange.h"
#include "viewer/restore/RestoreStatement.h"

namespace tallix {

QString RestoreText(Connection& connection, const SchemaCache& cache, const DetailsResult& details)
{
    if (!details.record)
        return QString();
    const AuditRecord& record = *details.record;
    QString text;
    if (IsMoreRecentChange(connection, record.KeyID, record.TransactionDate))
        text += MoreRecentChangeWarning();
    const bool identity =
        HasIdentityKey(cache, record.SourceTable, FirstKeyColumn(record.KeyValues));
    const Audit& audit =
        record.TransactionType == QLatin1String("D") ? details.everyColumn : details.audit;
    text += BuildRestoreStatement(record.TransactionType, record.SourceTable, audit,
                                  record.KeyValues, identity, cache);
    return text;
}

} // namespace tallix
