#include "generator/discovery/SchemaDiscovery.h"

#include "common/audit/ColumnTypes.h"
#include "common/audit/Limits.h"
#include "common/audit/TableNames.h"
#include "common/base/Error.h"
#include "common/db/Connection.h"
#include "generator/discovery/ProjectRefresh.h"
#include "generator/model/CTables.h"

#include <QHash>
#include <QSet>
#include <cmath>

namespace tallix {

namespace {

// A table as the rowsets name it: schema and name, compared exactly.
using TableKey = std::pair<QString, QString>;

int fieldOf(const Recordset& rs, const char* name)
{
    const int index = rs.FieldIndex(QString::fromLatin1(name));
    if (index < 0)
        throw Error(3265, QStringLiteral("Item cannot be found in the collection corresponding to "
                                         "the requested name or ordinal: %1")
                              .arg(QString::fromLatin1(name)));
    return index;
}

QString textAt(const Recordset& rs, int row, int field)
{
    return NzString(rs.ValueAt(row, field));
}

// The rows of each table in a rowset, in rowset order.
QHash<TableKey, QList<int>> rowsByTable(const Recordset& rs)
{
    const int schema = fieldOf(rs, "TABLE_SCHEMA");
    const int table = fieldOf(rs, "TABLE_NAME");
    QHash<TableKey, QList<int>> index;
    const int count = rs.RecordCount();
    for (int row = 0; row < count; ++row)
        index[{textAt(rs, row, schema), textAt(rs, row, table)}].append(row);
    return index;
}

TableKey folded(const TableKey& key)
{
    return {key.first.toCaseFolded(), key.second.toCaseFolded()};
}

// The primary-key columns of every table. Some servers report a key's table and column names in
// other letter case than the tables and columns rowsets do, so a table found under no exact name
// is looked up without regard to case, and so is a key column that names no column exactly.
class KeyIndex {
public:
    explicit KeyIndex(const Recordset& keys)
    {
        const int schema = fieldOf(keys, "TABLE_SCHEMA");
        const int table = fieldOf(keys, "TABLE_NAME");
        const int column = fieldOf(keys, "COLUMN_NAME");
        for (int row = 0; row < keys.RecordCount(); ++row) {
            const TableKey key{textAt(keys, row, schema), textAt(keys, row, table)};
            const QString name = textAt(keys, row, column);
            m_exact[key].append(name);
            m_folded[folded(key)].append(name);
        }
    }

    // The names of `columns` that are in the table's key.
    QSet<QString> keyColumns(const TableKey& table, const QStringList& columns) const
    {
        const QStringList* names = nullptr;
        if (auto exact = m_exact.constFind(table); exact != m_exact.constEnd())
            names = &exact.value();
        else if (auto any = m_folded.constFind(folded(table)); any != m_folded.constEnd())
            names = &any.value();
        QSet<QString> result;
        if (!names)
            return result;
        for (const QString& key : *names) {
            if (columns.contains(key)) {
                result.insert(key);
                continue;
            }
            for (const QString& column : columns) {
                if (column.compare(key, Qt::CaseInsensitive) == 0) {
                    result.insert(column);
                    break;
                }
            }
        }
        return result;
    }

private:
    QHash<TableKey, QStringList> m_exact;
    QHash<TableKey, QStringList> m_folded;
};

} // namespace

SchemaDiscovery::SchemaDiscovery(IDiscoveryObserver& observer)
    : m_observer(observer)
{}

QString SchemaDiscovery::DiscardQuestion()
{
    return QStringLiteral("Do you want to discard the current table list?");
}

bool SchemaDiscovery::MayReplaceTables(const CTables& tables, const Confirm& confirm)
{
    return tables.Count() == 0 || confirm(DiscardQuestion());
}

SchemaDiscovery::Result SchemaDiscovery::LoadTables(CTables& tables,
                                                    const QString& connectionString,
                                                    const Confirm& confirm)
{
    if (!MayReplaceTables(tables, confirm))
        return Result::Declined;
    Connection connection(connectionString);
    return ReplaceTables(tables, connection);
}

SchemaDiscovery::Result SchemaDiscovery::ReplaceTables(CTables& tables, Connection& connection,
                                                       QStringList* changes)
{
    CTables loaded;
    const Result result = LoadTables(loaded, connection);
    if (result != Result::Loaded)
        return result;
    if (changes)
        *changes = TableChanges(tables, loaded);
    // Taking away a filled or unsaved list is a change to save, even when nothing came instead.
    const bool changed = tables.IsDirty || tables.Count() > 0;
    tables = std::move(loaded);
    tables.IsDirty = tables.IsDirty || changed;
    return result;
}

SchemaDiscovery::Result SchemaDiscovery::LoadTables(CTables& tables, Connection& connection)
{
    bool progressShown = false;
    m_failure.clear();
    try {
        if (!connection.IsOpen())
            connection.Open();
        const Recordset tablesRowset = connection.OpenSchema(SchemaKind::Tables);
        const Recordset columnsRowset = connection.OpenSchema(SchemaKind::Columns);
        const Recordset keysRowset = connection.OpenSchema(SchemaKind::PrimaryKeys);
        connection.Close();
        progressShown = true;
        Discover(tables, tablesRowset, columnsRowset, keysRowset);
    } catch (const Error& e) {
        if (progressShown)
            m_observer.HideProgress();
        connection.Close();
        m_failure = QStringLiteral("Error (LoadTables) - ") + e.description();
        return Result::Failed;
    }
    return Result::Loaded;
}

void SchemaDiscovery::Discover(CTables& tables, const Recordset& tablesRowset,
                               const Recordset& columnsRowset, const Recordset& keysRowset)
{
    const int tableSchema = fieldOf(tablesRowset, "TABLE_SCHEMA");
    const int tableName = fieldOf(tablesRowset, "TABLE_NAME");
    const int tableType = fieldOf(tablesRowset, "TABLE_TYPE");

    const int columnName = fieldOf(columnsRowset, "COLUMN_NAME");
    const int dataType = fieldOf(columnsRowset, "DATA_TYPE");
    const int precision = fieldOf(columnsRowset, "NUMERIC_PRECISION");
    const int scale = fieldOf(columnsRowset, "NUMERIC_SCALE");
    const int flags = fieldOf(columnsRowset, "COLUMN_FLAGS");
    const int length = fieldOf(columnsRowset, "CHARACTER_MAXIMUM_LENGTH");
    const int datetimePrecision = fieldOf(columnsRowset, "DATETIME_PRECISION");
    const int nullable = fieldOf(columnsRowset, "IS_NULLABLE");
    const QHash<TableKey, QList<int>> columnsOf = rowsByTable(columnsRowset);

    const KeyIndex keys(keysRowset);
    const auto warn = [this](const QString& text) {
        m_observer.Warning(text);
    };

    m_observer.ShowProgress(0);
    const int rowCount = tablesRowset.RecordCount();
    // Empty numeric fields read as 0.
    const QString zero = QStringLiteral("0");
    for (int row = 0; row < rowCount; ++row) {
        const QString name = textAt(tablesRowset, row, tableName);
        const QString schema = textAt(tablesRowset, row, tableSchema);
        // The audit tables live in the default schema; a table of that name elsewhere is the
        // user's own.
        const bool auditTable =
            audit::isDefaultSchema(schema) &&
            (name == QLatin1String("Tallix") || name == QLatin1String("TallixKeys"));
        if (textAt(tablesRowset, row, tableType) == QLatin1String("TABLE") && !auditTable) {
            tables.IsDirty = true;
            CTable& table = tables.Add(schema, name);
            table.LargeKey = false;
            const QList<int> columnRows = columnsOf.value({schema, name});
            QStringList columnNames;
            for (int c : columnRows)
                columnNames << textAt(columnsRowset, c, columnName);
            const QSet<QString> keyColumns = keys.keyColumns({schema, name}, columnNames);
            for (int c : columnRows) {
                const QString column = textAt(columnsRowset, c, columnName);
                const QString type = audit::columnTypeName(
                    NzString(columnsRowset.ValueAt(c, dataType), zero),
                    NzString(columnsRowset.ValueAt(c, precision), zero),
                    NzString(columnsRowset.ValueAt(c, flags), zero),
                    NzString(columnsRowset.ValueAt(c, length), zero),
                    NzString(columnsRowset.ValueAt(c, datetimePrecision), zero));
                const auto size = static_cast<std::int32_t>(
                    NzString(columnsRowset.ValueAt(c, length), zero).toLongLong());
                const bool inKey = keyColumns.contains(column);
                CColumn& added = table.Columns.Add(
                    column, type, size,
                    static_cast<std::int16_t>(
                        NzString(columnsRowset.ValueAt(c, precision), zero).toInt()),
                    static_cast<std::int16_t>(
                        NzString(columnsRowset.ValueAt(c, scale), zero).toInt()),
                    columnsRowset.ValueAt(c, nullable).toBool(), inKey, false, true);
                if (audit::isLargeObjectType(type))
                    added.Include = false;
            }
            const qsizetype keyLimit = audit::keyValuesLength(m_unicodeKeys);
            if (table.KeyTextEstimate() > keyLimit) {
                warn(QStringLiteral(
                         "The size of the key is > %1 characters, this table can not be audited!")
                         .arg(keyLimit));
                table.LargeKey = true;
            } else if (!audit::fitsSourceTable(table.QualifiedName())) {
                // Tallix.SourceTable could not hold the name, so no trigger could record a change.
                warn(QStringLiteral("The name of the table %1 is longer than 64 characters, this "
                                    "table can not be audited!")
                         .arg(table.QualifiedName()));
                table.LargeKey = true;
            }
        }
        m_observer.SetProgress(static_cast<int>(std::lround((row + 1) * 100.0 / rowCount)));
        m_observer.ProcessEvents();
    }
    m_observer.SetProgress(100);
    m_observer.HideProgress();
}

} // namespace tallix
