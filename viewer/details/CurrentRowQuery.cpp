#include "viewer/details/CurrentRowQuery.h"

#include "common/audit/ColumnTypes.h"
#include "common/audit/SqlQuoting.h"
#include "viewer/details/KeyCondition.h"
#include "viewer/query/SchemaCache.h"

#include <QStringList>

namespace tallix {

QString CurrentRowQuery(const SchemaCache& cache, const QString& sourceTable,
                        const QString& keyValues)
{
    QStringList columns;
    for (int row : cache.rowsOf(sourceTable)) {
        const QString type = cache.typeName(row);
        if (audit::isLargeObjectType(type))
            continue;
        const QString name =
            SqlQuoting::statementName(cache.value(row, SchemaCache::COLUMN_NAME).toString());
        if (type == QLatin1String("datetime"))
            columns << QStringLiteral("CONVERT(VARCHAR(32),") + name + QStringLiteral(",21) AS ") +
                           name;
        else
            columns << name;
    }
    return QStringLiteral("SELECT ") + columns.join(QLatin1Char(',')) + QStringLiteral(" FROM ") +
           cache.statementName(sourceTable) + QStringLiteral(" WHERE ") + KeyCondition(keyValues);
}

} // namespace tallix
