#pragma once

#include "generator/model/CColumns.h"

namespace tallix {

// One table of the project with its audit flags and its columns.
class CTable {
public:
    CColumns Columns;
    QString TableName;
    // Empty for the default schema ("dbo"), which every name without a schema means.
    QString Schema;
    bool Insert = false;
    bool Update = false;
    bool Delete = false;
    // The key text could exceed what TallixKeys.KeyValues holds, or the name what SourceTable
    // holds; never scripted.
    bool LargeKey = false;

    bool HasPrimaryKey() const;
    // The longest the key-values text can become: per key column its name, its size and two
    // characters for "=" and the separator.
    qint64 KeyTextEstimate() const;
    // The name the audit rows record and the grid shows: bare in the default schema, else
    // "schema.table" (audit::recordedName).
    QString QualifiedName() const;
};

} // namespace tallix
