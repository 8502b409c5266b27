#include "common/audit/TableNames.h"

#include "common/audit/SqlQuoting.h"

namespace tallix::audit {

bool isDefaultSchema(QStringView schema)
{
    return schema.isEmpty() || schema.compare(kDefaultSchema, Qt::CaseInsensitive) == 0;
}

QString schemaOrDefault(QStringView schema)
{
    return schema.isEmpty() ? QString(kDefaultSchema) : schema.toString();
}

QString recordedName(QStringView schema, QStringView table)
{
    if (isDefaultSchema(schema))
        return table.toString();
    QString name;
    name.reserve(schema.size() + 1 + table.size());
    name += schema;
    name += QLatin1Char('.');
    name += table;
    return name;
}

void appendBracketedTable(QString& out, QStringView schema, QStringView table)
{
    if (!isDefaultSchema(schema)) {
        out += QLatin1Char('[');
        SqlQuoting::appendBracketed(out, schema);
        out += QLatin1StringView("].");
    }
    out += QLatin1Char('[');
    SqlQuoting::appendBracketed(out, table);
    out += QLatin1Char(']');
}

QString statementTableName(QStringView schema, QStringView table)
{
    if (isDefaultSchema(schema))
        return SqlQuoting::statementName(table);
    return SqlQuoting::statementName(schema) + QLatin1Char('.') + SqlQuoting::statementName(table);
}

QString schemaPrefix(QStringView schema)
{
    if (isDefaultSchema(schema))
        return QStringLiteral("dbo.");
    // Bracketed for a reserved word as well: a schema called "user" is common enough.
    return SqlQuoting::statementName(schema) + QLatin1Char('.');
}

} // namespace tallix::audit
