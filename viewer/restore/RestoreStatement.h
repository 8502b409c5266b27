#pragma once

#include "common/audit/Layout.h"

#include <QString>
#include <QStringList>

namespace tallix {

class Audit;
class SchemaCache;
struct AuditRecord;

// A restore statement, or why an audit row gives none. The audit tables are written by whoever
// may change an audited row, so a row that cannot be read whole, or names what the database does
// not have, is refused: nothing is ever written from it.
struct RestoreBuild {
    QString text;    // the statement; empty when refused
    QString refusal; // why the row cannot be restored; empty when it can
    // Columns (key columns too) whose values the statement writes back although they may hold
    // "?" for characters the narrow audit layout could not record (audit::mayHaveLostCharacters).
    // The text then starts with a note per column, and the window asks before running it.
    QStringList lossyColumns;

    bool ok() const { return refusal.isEmpty(); }
    static RestoreBuild refused(const QString& why) { return {QString(), why, {}}; }
};

// The type a restored value is cast to: the column's type name from the schema cache, with its
// length for char, varchar, nchar and nvarchar and its precision and scale for decimal and
// numeric (audit::castTypeName), so the cast neither cuts nor rounds the value. "*" when the cache
// does not know the column; empty for a type the viewer has no name for.
QString ColumnTypeName(const SchemaCache& cache, const QString& table, const QString& column);

// Whether the table's first key column is an int identity column (its COLUMN_FLAGS exactly 16):
// then restoring a deleted row must switch IDENTITY_INSERT on to write the old key.
bool HasIdentityKey(const SchemaCache& cache, const QString& table, const QString& keyColumn);

// Whether an UPDATE may set the column: identity, timestamp and computed columns lack the
// writable flag (8) in COLUMN_FLAGS. A column without flags in the cache counts as writable.
bool IsWritableColumn(const SchemaCache& cache, const QString& table, const QString& column);

// The statement that undoes one audited change: a DELETE for an insert ("I"), an UPDATE back to
// the before values for an update ("U", never setting a column that cannot be set), an INSERT of
// the before values for a delete ("D"). Values are written as literals by the one quoting rule of
// SqlQuoting (N'...' for nchar, nvarchar and ntext columns), so no value can end a literal or a
// line. Refused, with the reason, for any other type, an empty table name, a table or column the
// schema cache does not know, a name holding a control character, a key text that is no list of
// name=value pairs of the table's columns, a column given twice, a type without a name, and a
// delete without any recorded column. An insert's statement writes no column, so its columns are
// not checked: undoing it stays possible after a column was dropped.
// `layout` is that of the audit tables the row was read from (SchemaCache::auditLayout).
RestoreBuild BuildRestoreStatement(const QString& transactionType, const QString& table,
                                   const Audit& audit, const QString& keyValues, bool identity,
                                   const SchemaCache& cache,
                                   audit::Layout layout = audit::Layout::Unicode);

// The statement for a whole audit row: its data text must read whole (audit::readData); an update
// is undone for its changed columns (every column with `allFields`), a delete with every
// recorded column, each refusal as BuildRestoreStatement's.
RestoreBuild BuildRestore(const AuditRecord& record, const SchemaCache& cache, bool allFields);

} // namespace tallix
