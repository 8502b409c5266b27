#include "viewer/details/KeyCondition.h"

#include "viewer/details/SqlName.h"
#include "viewer/query/LogQuery.h"

#include <QStringList>

namespace tallix {

QString KeyCondition(const QString& keyValues)
{
    QStringList terms;
    const QStringList pieces = keyValues.split(QChar(1));
    for (const QString& piece : pieces) {
        if (piece.isEmpty())
            continue; // the one after a closing CHAR(1)
        const qsizetype equals = piece.indexOf(QLatin1Char('='));
        const QString value = logquery::quoted(piece.mid(equals + 1));
        const QString name = equals < 0 ? QString() : SqlName(piece.left(equals));
        terms << name + (equals < 0 ? QString() : QStringLiteral("=")) + QLatin1Char('\'') + value +
                     QLatin1Char('\'');
    }
    return terms.join(QLatin1String(" AND "));
}

QString FirstKeyColumn(const QString& keyValues)
{
    const qsizetype equals = keyValues.indexOf(QLatin1Char('='));
    return equals < 0 ? keyValues : keyValues.left(equals);
}

} // namespace tallix
