#include "generator/selection/TableSelection.h"

#include "common/audit/ColumnTypes.h"
#include "common/audit/Limits.h"
#include "generator/model/CTables.h"

namespace tallix {

bool TableRow::check(int column) const
{
    switch (column) {
    case TableSelection::All:
        return all;
    case TableSelection::Insert:
        return insert;
    case TableSelection::Update:
        return update;
    case TableSelection::Delete:
        return remove;
    default:
        return false;
    }
}

namespace TableSelection {

namespace {

// Why a table with LargeKey set gets no triggers: discovery sets it for a name that SourceTable
// cannot hold and for a key whose text KeyValues cannot hold.
QString largeKeyReason(const CTable& table)
{
    if (!audit::fitsSourceTable(table.QualifiedName()))
        return QStringLiteral("%1 cannot be audited: its name is longer than the %2 characters "
                              "that Tallix.SourceTable holds.")
            .arg(table.QualifiedName())
            .arg(audit::kSourceTableLength);
    // A key within the narrow column's limit was measured against the Unicode one.
    const qint64 estimate = table.KeyTextEstimate();
    const qsizetype limit =
        estimate > audit::kUnicodeKeyValuesLength && estimate <= audit::kKeyValuesLength
            ? audit::kUnicodeKeyValuesLength
            : audit::kKeyValuesLength;
    return QStringLiteral("%1 cannot be audited: the text of its key can be longer than the %2 "
                          "characters that TallixKeys.KeyValues holds.")
        .arg(table.QualifiedName())
        .arg(limit);
}

QString notRecordedReason(const CColumn& column)
{
    if (column.datatype == QLatin1String("binary") || column.datatype == QLatin1String("varbinary"))
        return column.ColumnName +
               QStringLiteral(" is not recorded: binary values cannot be written into the audit "
                              "data.");
    return column.ColumnName +
           QStringLiteral(" is not recorded: the triggers cannot read large-object values (text, "
                          "ntext, image, and the (max) types).");
}

} // namespace

TableRow tableRow(const CTable& table)
{
    TableRow row;
    row.insert = table.Insert;
    row.update = table.Update;
    row.remove = table.Delete;
    row.all = table.Insert && table.Update && table.Delete;
    row.name = table.QualifiedName();
    row.marked = table.LargeKey;
    if (row.marked)
        row.reason = largeKeyReason(table);
    return row;
}

FieldRow fieldRow(const CColumn& column)
{
    FieldRow row;
    row.include = column.Include;
    row.key = column.InPrimaryKey;
    row.name = column.ColumnName;
    row.datatype = displayType(column);
    row.marked = audit::isLargeObjectType(column.datatype);
    if (row.marked)
        row.reason = notRecordedReason(column);
    return row;
}

QList<FieldRow> fieldRows(const CTable& table)
{
    QList<FieldRow> rows;
    rows.reserve(table.Columns.Count());
    for (const CColumn& c : table.Columns)
        rows.append(fieldRow(c));
    return rows;
}

QString displayType(const CColumn& column)
{
    const QString& type = column.datatype;
    if (type == QLatin1String("char") || type == QLatin1String("nchar") ||
        type == QLatin1String("varchar") || type == QLatin1String("nvarchar"))
        return type + QLatin1Char('(') + QString::number(column.Size) + QLatin1Char(')');
    return type;
}

bool clickTable(CTables& tables, int row, int column)
{
    if (row < 1 || row > tables.Count() || column < All || column > Delete)
        return false;
    CTable& table = tables.Item(row);
    if (table.LargeKey)
        return false;
    switch (column) {
    case All: {
        const bool checked = !tableRow(table).all;
        table.Insert = table.Update = table.Delete = checked;
        break;
    }
    case Insert:
        table.Insert = !table.Insert;
        break;
    case Update:
        table.Update = !table.Update;
        break;
    default:
        table.Delete = !table.Delete;
        break;
    }
    return true;
}

bool clickField(CTable& table, int row, int column)
{
    if (row < 1 || row > table.Columns.Count() || column != Include)
        return false;
    CColumn& c = table.Columns.Item(row);
    if (audit::isLargeObjectType(c.datatype))
        return false;
    c.Include = !c.Include;
    return true;
}

void selectAllTables(CTables& tables, bool checked)
{
    for (CTable& t : tables)
        t.Insert = t.Update = t.Delete = checked;
}

void selectAllFields(CTables& tables, CTable& table, bool checked)
{
    for (CColumn& c : table.Columns) {
        if (!audit::isLargeObjectType(c.datatype))
            c.Include = checked;
    }
    tables.IsDirty = true;
}

} // namespace TableSelection

} // namespace tallix
