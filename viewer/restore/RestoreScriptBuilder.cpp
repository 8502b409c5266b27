#include "viewer/restore/RestoreScriptBuilder.h"

#include "common/db/Connection.h"
#include "viewer/details/DetailsLoader.h"

namespace tallix {

RefusedRow RowRestore::refused() const
{
    return {logId, wasRead() ? build.refusal
                             : QStringLiteral("The audit row could not be read: ") + readError};
}

RowRestore RestoreRow(Connection& connection, const SchemaCache& cache, const QString& logId,
                      bool allFields)
{
    RowRestore row;
    row.logId = logId;
    // The current values play no part in a restore; the data is read as the details read it.
    const DetailsResult details = DetailsLoader::load(connection, cache, logId, {allFields, false});
    if (!details.record || !connection.IsOpen()) {
        row.readError = details.errors.isEmpty() ? QStringLiteral("The connection is closed.")
                                                 : details.errors.constFirst();
        row.build = RestoreBuild::refused(row.readError);
        return row;
    }
    row.build = RestoreText(connection, cache, *details.record, allFields, &row.warning);
    return row;
}

QList<RefusedRow> RestoreScriptBuild::refusedRows() const
{
    QList<RefusedRow> rows;
    for (const RowRestore& row : refused)
        rows << row.refused();
    return rows;
}

RestoreScriptBuild BuildRestoreScript(Connection& connection, const SchemaCache& cache,
                                      const QStringList& logIds, bool allFields,
                                      const RestoreProgress& progress)
{
    RestoreScriptBuild result;
    const auto count = static_cast<int>(logIds.size());
    for (int i = 0; i < count; ++i) {
        if (progress)
            progress(i + 1, count);
        RowRestore row = RestoreRow(connection, cache, logIds[i], allFields);
        if (!row.warning.isEmpty() && !result.warnings.contains(row.warning))
            result.warnings << row.warning;
        if (row.build.ok())
            result.script.append(row.build.text);
        else
            result.refused << std::move(row);
    }
    return result;
}

} // namespace tallix
