#pragma once

#include "common/audit/Layout.h"
#include "common/db/Recordset.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

namespace tallix {

// The viewer's copy of the connected database's columns, replaced on every connect. One row per
// column, in the provider's order (table name, then ordinal), with the fields named in `fields()`.
// TABLE_NAME holds the name the audit rows record (audit::recordedName): the bare name in the
// default schema, "schema.table" in any other, so a table is found by what its rows say.
// NUMERIC_SCALE is kept beside the seven type fields so that restored decimals keep their scale.
// Lookups go through an index by table name, so a name holding an apostrophe or any other
// character is found as it is (no filter text is built from it).
class SchemaCache {
public:
    enum Field {
        TABLE_NAME,
        COLUMN_NAME,
        DATA_TYPE,
        NUMERIC_PRECISION,
        COLUMN_FLAGS,
        CHARACTER_MAXIMUM_LENGTH,
        DATETIME_PRECISION,
        NUMERIC_SCALE,
        FieldCount
    };

    // An empty cache: no columns of any table.
    SchemaCache();

    // Copies the fields by name from a columns schema rowset. A missing field stays NULL.
    static SchemaCache fromColumnsRowset(const Recordset& columns);

    static const QStringList& fields();

    int rowCount() const { return m_rows->rowCount(); }
    // A value by 0-based row; NULL is an invalid QVariant.
    QVariant value(int row, Field field) const { return m_rows->value(row, field); }

    // Rows of a table in cache order; the name is compared exactly first, then without regard to
    // letter case (as the server's default collation does).
    QList<int> rowsOf(const QString& table) const;
    // The table as a statement writes it (audit::statementTableName), found as rowsOf finds it;
    // a name the cache does not know is written as SqlQuoting::statementName does.
    QString statementName(const QString& table) const;
    // Whether tables of two schemas record the name ("a.b" in dbo and "b" in schema "a"): their
    // rows cannot be told apart, so rowsOf gives none.
    bool isAmbiguous(const QString& table) const;
    // The first row of a table's column; the column name compares without regard to letter case.
    std::optional<int> find(const QString& table, const QString& column) const;

    // The bare SQL Server type name of a row's column (audit::columnTypeName; NULL fields as
    // empty texts), and the type its values are cast to (audit::castTypeName).
    QString typeName(int row) const;
    QString castTypeName(int row) const;

    // The layout of the audit tables, from the type of Tallix.Data (audit::layoutOfDataType).
    audit::Layout auditLayout() const;

    // The whole cache as a detached result, for display and for callers that walk it.
    Recordset recordset() const { return Recordset(m_rows); }

private:
    std::shared_ptr<RowSet> m_rows;
    QHash<QString, QList<int>> m_byTable;                // exact name
    QHash<QString, QString> m_folded;                    // lower-cased name -> first exact spelling
    QHash<QString, std::pair<QString, QString>> m_parts; // exact name -> schema, table
    QSet<QString> m_ambiguous;                           // exact names of two tables
};

} // namespace tallix
