#include "viewer/query/SchemaCache.h"

#include "common/audit/ColumnTypes.h"
#include "common/audit/SqlQuoting.h"
#include "common/audit/TableNames.h"

namespace tallix {

namespace {
QList<FieldInfo> cacheFields()
{
    QList<FieldInfo> infos;
    for (const QString& name : SchemaCache::fields())
        infos.push_back(
            {name, name == QLatin1String("TABLE_NAME") || name == QLatin1String("COLUMN_NAME")
                       ? 130
                       : 3});
    return infos;
}
} // namespace

SchemaCache::SchemaCache()
    : m_rows(std::make_shared<RowSet>(cacheFields()))
{}

const QStringList& SchemaCache::fields()
{
    static const QStringList names{
        QStringLiteral("TABLE_NAME"),         QStringLiteral("COLUMN_NAME"),
        QStringLiteral("DATA_TYPE"),          QStringLiteral("NUMERIC_PRECISION"),
        QStringLiteral("COLUMN_FLAGS"),       QStringLiteral("CHARACTER_MAXIMUM_LENGTH"),
        QStringLiteral("DATETIME_PRECISION"), QStringLiteral("NUMERIC_SCALE"),
    };
    return names;
}

SchemaCache SchemaCache::fromColumnsRowset(const Recordset& columns)
{
    SchemaCache cache;
    QList<int> source;
    for (const QString& name : fields())
        source.push_back(columns.FieldIndex(name));
    const int schemaField = columns.FieldIndex(QStringLiteral("TABLE_SCHEMA"));

    const int n = columns.RecordCount();
    for (int row = 0; row < n; ++row) {
        QList<QVariant> values;
        values.reserve(FieldCount);
        for (int f : source)
            values.push_back(f < 0 ? QVariant() : columns.ValueAt(row, f));
        const QString schema =
            schemaField < 0 ? QString() : columns.ValueAt(row, schemaField).toString();
        const QString bare = values[TABLE_NAME].toString();
        const QString table = audit::recordedName(schema, bare);
        const std::pair<QString, QString> parts{audit::isDefaultSchema(schema) ? QString() : schema,
                                                bare};
        const auto known = cache.m_parts.constFind(table);
        if (known == cache.m_parts.constEnd())
            cache.m_parts.insert(table, parts);
        else if (known.value() != parts)
            cache.m_ambiguous.insert(table);
        values[TABLE_NAME] = table;
        cache.m_rows->appendRow(std::move(values));
        cache.m_byTable[table].push_back(row);
        const QString folded = table.toLower();
        if (!cache.m_folded.contains(folded))
            cache.m_folded.insert(folded, table);
    }
    return cache;
}

namespace {
// The exact spelling the cache knows a name by: the name itself, or the first one that differs
// from it in letter case only.
QString spelling(const QHash<QString, QList<int>>& byTable, const QHash<QString, QString>& folded,
                 const QString& table)
{
    if (byTable.contains(table))
        return table;
    return folded.value(table.toLower());
}
} // namespace

QList<int> SchemaCache::rowsOf(const QString& table) const
{
    const QString known = spelling(m_byTable, m_folded, table);
    if (known.isEmpty() || m_ambiguous.contains(known))
        return {};
    return m_byTable.value(known);
}

bool SchemaCache::isAmbiguous(const QString& table) const
{
    return m_ambiguous.contains(spelling(m_byTable, m_folded, table));
}

QString SchemaCache::statementName(const QString& table) const
{
    const auto parts = m_parts.constFind(spelling(m_byTable, m_folded, table));
    if (parts == m_parts.constEnd() || m_ambiguous.contains(parts.key()))
        return SqlQuoting::statementName(table);
    return audit::statementTableName(parts->first, parts->second);
}

std::optional<int> SchemaCache::find(const QString& table, const QString& column) const
{
    for (int row : rowsOf(table)) {
        if (value(row, COLUMN_NAME).toString().compare(column, Qt::CaseInsensitive) == 0)
            return row;
    }
    return std::nullopt;
}

QString SchemaCache::typeName(int row) const
{
    return audit::columnTypeName(
        NzString(value(row, DATA_TYPE)), NzString(value(row, NUMERIC_PRECISION)),
        NzString(value(row, COLUMN_FLAGS)), NzString(value(row, CHARACTER_MAXIMUM_LENGTH)),
        NzString(value(row, DATETIME_PRECISION)));
}

QString SchemaCache::castTypeName(int row) const
{
    return audit::castTypeName(typeName(row), NzString(value(row, CHARACTER_MAXIMUM_LENGTH)),
                               NzString(value(row, NUMERIC_PRECISION)),
                               NzString(value(row, NUMERIC_SCALE)));
}

audit::Layout SchemaCache::auditLayout() const
{
    const std::optional<int> row = find(QStringLiteral("Tallix"), QStringLiteral("Data"));
    return audit::layoutOfDataType(row ? typeName(*row) : QString());
}

} // namespace tallix
