#include "common/db/SchemaRowsets.h"

#include <algorithm>

namespace tallix::schema {

namespace {

QVariant orNull(const std::optional<int>& v)
{
    return v ? QVariant(*v) : QVariant();
}

QVariant text(const QString& s)
{
    return s.isNull() ? QVariant() : QVariant(s);
}

// Table-name order as a case-insensitive server sorts; ties by exact name, then by schema.
bool nameBefore(const QString& a, const QString& b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

template <typename Entry> bool tableBefore(const Entry& a, const Entry& b)
{
    if (a.table != b.table)
        return nameBefore(a.table, b.table);
    return a.schema < b.schema;
}

} // namespace

std::shared_ptr<RowSet> catalogs(const QStringList& names)
{
    auto rows = std::make_shared<RowSet>(QList<FieldInfo>{
        {QStringLiteral("CATALOG_NAME"), dbtype::WSTR},
        {QStringLiteral("DESCRIPTION"), dbtype::WSTR},
    });
    for (const QString& name : names)
        rows->appendRow({name, QVariant()});
    return rows;
}

std::shared_ptr<RowSet> tables(QList<TableEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const TableEntry& a, const TableEntry& b) {
        if (a.name != b.name)
            return nameBefore(a.name, b.name);
        return a.schema < b.schema;
    });
    auto rows = std::make_shared<RowSet>(QList<FieldInfo>{
        {QStringLiteral("TABLE_CATALOG"), dbtype::WSTR},
        {QStringLiteral("TABLE_SCHEMA"), dbtype::WSTR},
        {QStringLiteral("TABLE_NAME"), dbtype::WSTR},
        {QStringLiteral("TABLE_TYPE"), dbtype::WSTR},
        {QStringLiteral("DESCRIPTION"), dbtype::WSTR},
    });
    for (const TableEntry& t : entries)
        rows->appendRow({text(t.catalog), text(t.schema), t.name, t.type, QVariant()});
    return rows;
}

std::shared_ptr<RowSet> columns(QList<ColumnEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ColumnEntry& a, const ColumnEntry& b) {
                         if (a.table != b.table || a.schema != b.schema)
                             return tableBefore(a, b);
                         return a.ordinal < b.ordinal;
                     });
    auto rows = std::make_shared<RowSet>(QList<FieldInfo>{
        {QStringLiteral("TABLE_CATALOG"), dbtype::WSTR},
        {QStringLiteral("TABLE_SCHEMA"), dbtype::WSTR},
        {QStringLiteral("TABLE_NAME"), dbtype::WSTR},
        {QStringLiteral("COLUMN_NAME"), dbtype::WSTR},
        {QStringLiteral("ORDINAL_POSITION"), dbtype::UI4},
        {QStringLiteral("COLUMN_HASDEFAULT"), dbtype::BOOL},
        {QStringLiteral("COLUMN_DEFAULT"), dbtype::WSTR},
        {QStringLiteral("COLUMN_FLAGS"), dbtype::UI4},
        {QStringLiteral("IS_NULLABLE"), dbtype::BOOL},
        {QStringLiteral("DATA_TYPE"), dbtype::UI2},
        {QStringLiteral("CHARACTER_MAXIMUM_LENGTH"), dbtype::UI4},
        {QStringLiteral("CHARACTER_OCTET_LENGTH"), dbtype::UI4},
        {QStringLiteral("NUMERIC_PRECISION"), dbtype::UI2},
        {QStringLiteral("NUMERIC_SCALE"), dbtype::I2},
        {QStringLiteral("DATETIME_PRECISION"), dbtype::UI4},
    });
    for (const ColumnEntry& c : entries) {
        const ColumnTypeInfo info = ColumnTypeInfo::of(c.type);
        // An identity column holds no NULL, whatever its declaration says.
        const bool nullable = c.nullable && !c.identity && !c.type.identity;
        const bool identity = c.identity || c.type.identity;
        rows->appendRow({
            text(c.catalog),
            text(c.schema),
            c.table,
            c.column,
            c.ordinal,
            c.defaultText.isValid(),
            c.defaultText,
            info.columnFlags(nullable, identity, c.computed),
            nullable,
            info.dataType,
            orNull(info.characterMaximumLength),
            orNull(info.characterOctetLength),
            orNull(info.numericPrecision),
            orNull(info.numericScale),
            orNull(info.datetimePrecision),
        });
    }
    return rows;
}

std::shared_ptr<RowSet> primaryKeys(QList<KeyEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const KeyEntry& a, const KeyEntry& b) {
        if (a.table != b.table || a.schema != b.schema)
            return tableBefore(a, b);
        return a.ordinal < b.ordinal;
    });
    auto rows = std::make_shared<RowSet>(QList<FieldInfo>{
        {QStringLiteral("TABLE_CATALOG"), dbtype::WSTR},
        {QStringLiteral("TABLE_SCHEMA"), dbtype::WSTR},
        {QStringLiteral("TABLE_NAME"), dbtype::WSTR},
        {QStringLiteral("COLUMN_NAME"), dbtype::WSTR},
        {QStringLiteral("ORDINAL"), dbtype::UI4},
        {QStringLiteral("PK_NAME"), dbtype::WSTR},
    });
    for (const KeyEntry& k : entries)
        rows->appendRow({text(k.catalog), text(k.schema), k.table, k.column, k.ordinal, k.name});
    return rows;
}

} // namespace tallix::schema
