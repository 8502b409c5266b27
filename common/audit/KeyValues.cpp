#include "common/audit/KeyValues.h"

#include "common/audit/SqlQuoting.h"

#include <QSet>

namespace tallix::audit {

QString keyValuesText(const QList<KeyPair>& pairs)
{
    QString text;
    for (const KeyPair& pair : pairs) {
        if (!text.isEmpty())
            text += QChar(kKeySeparator);
        text += pair.name + QChar(kKeyAssignment) + pair.value;
    }
    return text;
}

QString keySeparatorExpression()
{
    return QStringLiteral("CHAR(%1)").arg(int(kKeySeparator));
}

QList<QStringView> keyPieces(QStringView text)
{
    if (text.endsWith(QChar(kKeySeparator)))
        text.chop(1);
    QList<QStringView> pieces;
    for (const QStringView piece : text.tokenize(QChar(kKeySeparator)))
        pieces.push_back(piece);
    return pieces;
}

QString shownKeyValues(QStringView text)
{
    QString shown = text.toString();
    return shown.replace(QChar(kKeySeparator), kShownKeySeparator);
}

QString shownKeyValuesExpression(QStringView column)
{
    QString expression = QStringLiteral("REPLACE(");
    expression += column;
    return expression + QLatin1Char(',') + keySeparatorExpression() + QLatin1Char(',') +
           SqlQuoting::literal(QString(kShownKeySeparator)) + QLatin1Char(')');
}

QStringList splitShownKeyValues(QStringView shown)
{
    QStringList pieces;
    for (const QStringView piece : shown.tokenize(kShownKeySeparator))
        pieces << piece.toString();
    return pieces;
}

KeyReading readKeyValues(QStringView text)
{
    KeyReading result;
    if (text.isEmpty()) {
        result.error = QStringLiteral("The key text is empty.");
        return result;
    }
    QSet<QString> seen;
    qsizetype number = 0;
    for (const QStringView piece : keyPieces(text)) {
        ++number;
        const qsizetype equals = piece.indexOf(kKeyAssignment);
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
