#include "viewer/details/CurrentRowQuery.h"

#include "viewer/details/GetDatatype.h"
#include "viewer/details/KeyCondition.h"
#include "viewer/details/SqlName.h"
#include "viewer/query/SchemaCache.h"

#include <QStringList>

namespace tallix {

QString CurrentRowQuery(const SchemaCache& cache, const QString& sourceTable,
                        const QString& keyValues)
{
    static const QStringList unread{QStringLiteral("image"), QStringLiteral("text"),
                                    QStringLiteral("ntext"), QStringLiteral("binary"),
                                    QStringLiteral("varbinary")};
    QStringList columns;
    for (int row : cache.rowsOf(sourceTable)) {
        const QString type = GetDatatype(cache, row);
        if (unread.contains(type))
            continue;
        const QString name = SqlName(cache.value(row, SchemaCache::COLUMN_NAME).toString());
        if (type == QLatin1String("datetime"))
            columns << QStringLiteral("CONVERT(VARCHAR(32),") + name + QStringLiteral(",21) AS ") +
                           name;
        else
            columns << name;
    }
    return QStringLiteral("SELECT ") + columns.join(QLatin1Char(',')) + QStringLiteral(" FROM ") +
           SqlName(sourceTable) + QStringLiteral(" WHERE ") + KeyCondition(keyValues);
}

} // namespace tallix
