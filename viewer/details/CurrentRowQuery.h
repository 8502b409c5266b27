#pragma once

#include <QString>

namespace tallix {

class SchemaCache;

// The query that reads the audited row as it is now: every column of the table in cache order
// except image, text, ntext, binary and varbinary ones, datetimes as style 21 text, found by the
// key of the audit row.
QString CurrentRowQuery(const SchemaCache& cache, const QString& sourceTable,
                        const QString& keyValues);

} // namespace tallix
