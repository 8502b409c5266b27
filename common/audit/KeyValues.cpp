#include "common/audit/KeyValues.h"

#include "common/audit/SqlQuoting.h"

#include <QSet>

namespace tallix::audit {

KeyReading readKeyValues(QStringView text)
{
    KeyReading result;
    if (text.isEmpty()) {
        result.error = QStringLiteral("The key text is empty.");
        return result;
    }
    if (text.endsWith(QChar(kKeySeparator)))
        text.chop(1);
    QSet<QString> seen;
    qsizetype number = 0;
    for (const QStringView piece : text.tokenize(QChar(kKeySeparator))) {
        ++number;
        const qsizetype equals = piece.indexOf(u'=');
        if (equals < 0) {
            result.error =
                QStringLiteral("Piece %1 of the key text has no \"=\" between a column name "
                               "and a value.")
                    .arg(number);
            return result;
        }
        if (equals == 0) {
            result.error = QStringLiteral("Piece %1 of the key text names no column.").arg(number);
            return result;
        }
        const QString name = piece.left(equals).toString();
        if (seen.contains(name.toCaseFolded())) {
            result.error = QStringLiteral("The key text names the column \"%1\" more than once.")
                               .arg(SqlQuoting::shownName(name));
            return result;
        }
        seen.insert(name.toCaseFolded());
        result.pairs.push_back({name, piece.sliced(equals + 1).toString()});
    }
    return result;
}

} // namespace tallix::audit
