#include "viewer/details/KeyCondition.h"

#include "common/audit/KeyValues.h"
#include "common/audit/SqlQuoting.h"

#include <QStringList>

namespace tallix {

QString KeyCondition(const QString& keyValues)
{
    QStringList terms;
    for (const QStringView piece : audit::keyPieces(keyValues)) {
        if (piece.isEmpty())
            continue;
        const qsizetype equals = piece.indexOf(QChar(audit::kKeyAssignment));
        const QString value = SqlQuoting::literal(piece.sliced(equals + 1));
        if (equals < 0)
            terms << value;
        else
            terms << SqlQuoting::statementName(piece.left(equals)) + QLatin1Char('=') + value;
    }
    return terms.join(QLatin1String(" AND "));
}

QString FirstKeyColumn(const QString& keyValues)
{
    const qsizetype equals = keyValues.indexOf(QChar(audit::kKeyAssignment));
    return equals < 0 ? keyValues : keyValues.left(equals);
}

} // namespace tallix
