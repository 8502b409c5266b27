#include "viewer/restore/RestoreText.h"

#include "common/audit/SqlQuoting.h"
#include "viewer/details/AuditRecord.h"
#include "viewer/restore/IsMoreRecentChange.h"

namespace tallix {

RestoreBuild RestoreText(Connection& connection, const SchemaCache& cache,
                         const AuditRecord& record, bool allFields, QString* warning)
{
    RestoreBuild build = BuildRestore(record, cache, allFields);
    if (build.ok() && IsMoreRecentChange(connection, record.KeyID, record.TransactionDate, warning))
        build.text.prepend(MoreRecentChangeWarning());
    return build;
}

QString RefusalText(const QString& refusal)
{
    QString text = QStringLiteral("-- This audit row can not be restored.\r\n-- ");
    SqlQuoting::appendComment(text, refusal);
    return text + QStringLiteral("\r\n");
}

QString RefusedRowsText(const QList<RefusedRow>& refused, bool written)
{
    QString text = written ? QStringLiteral("These audit rows can not be restored and were left "
                                            "out of the restore script:")
                           : QStringLiteral("None of the audit rows can be restored; no restore "
                                            "script was written:");
    for (const RefusedRow& row : refused)
        text += QLatin1Char('\n') + SqlQuoting::shownName(row.logId) + QStringLiteral(": ") +
                row.refusal;
    return text;
}

} // namespace tallix
