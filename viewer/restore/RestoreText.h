#pragma once

#include "viewer/restore/RestoreStatement.h"

#include <QList>

namespace tallix {

class Connection;
class SchemaCache;
struct AuditRecord;

// The restore text of one audit row as the Restore tab shows it: the warning when the row has
// changed again since, then the statement that undoes the change (BuildRestore). A refused row
// gives its reason and no text; the database is then not asked about newer changes. When asking
// fails the text has no warning, and `warning` (when given) is set to what the user is told
// (IsMoreRecentChange). `connection` must be open.
RestoreBuild RestoreText(Connection& connection, const SchemaCache& cache,
                         const AuditRecord& record, bool allFields, QString* warning = nullptr);

// A refusal as the Restore tab shows it: comment lines, so that the box never holds a statement
// for a row that cannot be restored.
QString RefusalText(const QString& refusal);

// An audit row left out of a script of several rows, and why.
struct RefusedRow {
    QString logId;
    QString refusal;
};

// What the user is told about the rows left out of a script of several rows: one line per row,
// its LogID and the reason; `written` says whether the other rows' script was written.
QString RefusedRowsText(const QList<RefusedRow>& refused, bool written);

} // namespace tallix
