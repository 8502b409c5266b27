#include "viewer/details/KeyCondition.h"

#include "common/audit/KeyValues.h"
#include "common/audit/SqlQuoting.h"

#include <QStringList>

namespace tallix {

QString KeyCondition(const QString& keyValues)
{
    QStringList terms;
    const QStringList pieces = keyValues.split(QChar(audit::kKeySeparator));
    for (const QString& piece : pieces) {
        if (piece.isEmpty())
            continue; // the one after a closing CHAR(1)
        const qsizetype equals = piece.indexOf(QLatin1Char('='));
        const QString value = SqlQuoting::literal(piece.mid(equals + 1));
        if (equals < 0)
            terms << value;
        else
            terms << SqlQuoting::statementName(piece.left(equals)) + QLatin1Char('=') + value;
    }
    return terms.join(QLatin1String(" AND "));
}

QString FirstKeyColumn(const QString& keyValues)
{
    const qsizetype equals = keyValues.indexOf(QLatin1Char('='));
    return equals < 0 ? keyValues : keyValues.left(equals);
}

} // namespace tallix
