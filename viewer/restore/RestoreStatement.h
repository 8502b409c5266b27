#pragma once

#include <QString>

namespace tallix {

class Audit;
class SchemaCache;

// The type a restored value is cast to: the column's type name from the schema cache, with its
// length for nchar and nvarchar and its precision and scale for decimal and numeric, so the cast
// neither cuts nor rounds the value. "*" when the cache does not know the column.
QString ColumnTypeName(const SchemaCache& cache, const QString& table, const QString& column);

// Whether the table's first key column is an int identity column (its COLUMN_FLAGS exactly 16):
// then restoring a deleted row must switch IDENTITY_INSERT on to write the old key.
bool HasIdentityKey(const SchemaCache& cache, const QString& table, const QString& keyColumn);

// The statement that undoes one audited change: a DELETE for an insert ("I"), an UPDATE back to
// the before values for an update ("U"), an INSERT of the before values for a delete ("D");
// empty for any other type.
QString BuildRestoreStatement(const QString& transactionType, const QString& table,
                              const Audit& audit, const QString& keyValues, bool identity,
                              const SchemaCache& cache);

} // namespace tallix
