#pragma once

#include "common/db/ColumnTypeInfo.h"
#include "common/db/RowSet.h"

#include <QStringList>
#include <memory>

namespace tallix {

// The schema rowsets the programs open, each without restrictions.
enum class SchemaKind { Catalogs, Tables, Columns, PrimaryKeys };

// What a provider learns from its catalogue, before it becomes rowset rows.
struct TableEntry {
    QString catalog, schema, name;
    QString type; // "TABLE", "VIEW", "SYSTEM TABLE", ...
};

struct ColumnEntry {
    QString catalog, schema, table, column;
    int ordinal = 0;
    QVariant defaultText; // the default's text, or NULL when there is none
    bool nullable = true;
    bool identity = false;
    bool computed = false;
    SqlType type;
};

struct KeyEntry {
    QString catalog, schema, table, column;
    int ordinal = 0;
    QVariant name; // the constraint's name, NULL where the catalogue has none
};

// Builds the rowsets with the OLE DB field names and the numbers of the SQL Server provider.
// Tables, columns and keys come in table-name order (letter case ignored), columns in ordinal
// order, keys in key order; catalogs in the order given.
namespace schema {

std::shared_ptr<RowSet> catalogs(const QStringList& names);
std::shared_ptr<RowSet> tables(QList<TableEntry> entries);
std::shared_ptr<RowSet> columns(QList<ColumnEntry> entries);
std::shared_ptr<RowSet> primaryKeys(QList<KeyEntry> entries);

} // namespace schema

} // namespace tallix
