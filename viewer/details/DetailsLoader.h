#pragma once

#include "common/db/Recordset.h"
#include "viewer/details/Audit.h"
#include "viewer/details/AuditRecord.h"
#include "viewer/details/DetailRow.h"

#include <QList>
#include <QStringList>
#include <array>

namespace tallix {

class Connection;
class SchemaCache;

struct DetailsOptions {
    bool showAllFields = false;
    bool showCurrent = false;
};

// What the details of one audit row are made of.
struct DetailsResult {
    // Empty only when reading it failed; the first of `errors` says why.
    std::optional<AuditRecord> record;
    Recordset current;     // the audited row as it is now (no row when it is gone)
    QString xmlText;       // for the XML tab
    QList<DetailRow> rows; // the rows the grid shows
    Audit audit;           // the shown columns
    QStringList errors;    // the descriptions of the steps that failed and were skipped
    // Why the row's data text cannot be read whole (audit::readData); empty when it can. The
    // rows then show only what could be read, and the row cannot be restored.
    QString incomplete;
};

// The steps of showing an audit row's details that need no window: read the audit row, read the
// audited row as it is now, lay out the XML text, read the data into detail rows and the Audit
// collection. A failing step is skipped and leaves its part empty; the others still run.
class DetailsLoader {
public:
    // `connection` carries the connection string; it is opened here and left open for the
    // caller's further steps.
    static DetailsResult load(Connection& connection, const SchemaCache& cache,
                              const QString& logId, const DetailsOptions& options);

    // Widths of the grid's four columns in twips: the field 1500, the rest shared among the
    // value columns shown; "Current Value" is 0 when it is hidden.
    static std::array<int, 4> columnWidths(int gridWidth, bool showCurrent);
};

} // namespace tallix
