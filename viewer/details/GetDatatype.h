#pragma once

#include <QString>

namespace tallix {

class SchemaCache;

// The SQL Server type name of a column from its schema values, each as text (NULL as empty):
// "int", "money", "datetime", "varchar(20)", "nvarchar", ...; empty for a type it does not know.
QString GetDatatype(const QString& dataType, const QString& numericPrecision,
                    const QString& columnFlags, const QString& characterMaximumLength,
                    const QString& datetimePrecision);

// The same for a row of the schema cache.
QString GetDatatype(const SchemaCache& cache, int row);

} // namespace tallix
