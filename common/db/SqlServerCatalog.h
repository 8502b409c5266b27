#pragma once

#include "common/db/ColumnTypeInfo.h"
#include "common/db/SchemaRowsets.h"

#include <QVariant>

namespace tallix {

// How SQL Server's catalogue becomes the schema rowsets, and how its driver's answers become the
// layer's values. The texts use INFORMATION_SCHEMA, COLUMNPROPERTY, OBJECTPROPERTY and
// sysdatabases, which SQL Server 2000 and every later version answer.
namespace sqlserver {

QString catalogsQuery();
QString tablesQuery();  // TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE ("TABLE", ...)
QString columnsQuery(); // INFORMATION_SCHEMA.COLUMNS fields plus IS_IDENTITY, IS_COMPUTED
QString
primaryKeysQuery(); // TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME, ORDINAL, PK_NAME

// The declared type of a column from its INFORMATION_SCHEMA.COLUMNS values (a length of -1 is
// (max)).
SqlType typeFromInformationSchema(const QString& dataType, const QVariant& characterMaximumLength,
                                  const QVariant& numericPrecision, const QVariant& numericScale);

// One row of columnsQuery(), by its field order there.
ColumnEntry columnEntry(const QList<QVariant>& row);

// The OLE DB type number of a result column of the given ODBC SQL type (SQL_*).
int dbTypeFromOdbc(int odbcType);

// A GUID value as the layer gives it: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
QVariant guidValue(const QVariant& value);

// The driver's message without the "[FreeTDS][SQL Server]" style prefixes.
QString cleanMessage(const QString& driverText);

// A table or view that does not exist: SQL Server's error 208 "Invalid object name", or the
// words 'relation "name" does not exist' of engines that run T-SQL over another catalogue (their
// error 33557097 stands for other failures as well).
bool isMissingTable(const QString& message, const QString& nativeCode);

// TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME of every column, for spellKeyColumns().
QString columnNamesQuery();

// Gives each key column the spelling the columns rowset has for it (same schema and table, name
// equal but for letter case): some servers report key columns in lower case, and a key must name
// its column exactly as the column list does. `columns` rows are (schema, table, column).
void spellKeyColumns(QList<KeyEntry>& keys, const QList<QStringList>& columns);

} // namespace sqlserver

} // namespace tallix
