#pragma once

#include "viewer/restore/RestoreScriptFile.h"
#include "viewer/restore/RestoreStatement.h"
#include "viewer/restore/RestoreText.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace tallix {

class Connection;
class SchemaCache;

// The restore text of one audit row, read by its LogID as the details read it.
struct RowRestore {
    QString logId;
    RestoreBuild build; // refused when the audit row could not be read or cannot be restored
    QString readError;  // why the audit row itself could not be read; empty when it was
    QString warning;    // why a newer change could not be looked for (the text then has no
                        // warning comment); empty when it could

    bool wasRead() const { return readError.isEmpty(); }
    // What a script of several rows says about a refused row.
    RefusedRow refused() const;
};

// Reads the audit row `logId` and builds its restore text (RestoreText). `connection` carries the
// connection string; it is opened here and left open.
RowRestore RestoreRow(Connection& connection, const SchemaCache& cache, const QString& logId,
                      bool allFields);

// One restore script of several audit rows, as "Generate Restore Script" and --restore-script
// build it: every row that can be restored in the order given, the others left out with why.
struct RestoreScriptBuild {
    RestoreScriptFile script;
    QList<RowRestore> refused;
    QStringList warnings; // each different one once

    QList<RefusedRow> refusedRows() const;
};

// Called before each row with its place (1-based) and the number of rows.
using RestoreProgress = std::function<void(int row, int count)>;

RestoreScriptBuild BuildRestoreScript(Connection& connection, const SchemaCache& cache,
                                      const QStringList& logIds, bool allFields,
                                      const RestoreProgress& progress = {});

} // namespace tallix
