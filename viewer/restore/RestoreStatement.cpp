#include "viewer/restore/RestoreStatement.h"

#include "common/base/Error.h"
#include "viewer/details/Audit.h"
#include "viewer/details/DetailText.h"
#include "viewer/details/GetDatatype.h"
#include "viewer/details/KeyCondition.h"
#include "viewer/details/SqlName.h"
#include "viewer/query/LogQuery.h"
#include "viewer/query/SchemaCache.h"

#include <QRegularExpression>
#include <exception>

namespace tallix {

namespace {

const QLatin1String kCrLf("\r\n");
const QLatin1String kIndent("       ");

// The before value as a literal of the column's type. Date-times recorded in style 21 are read
// with that style, which the server reads alike under every login language.
QString valueLiteral(const QString& value, const QString& type)
{
    if (value == QLatin1String("NULL"))
        return QStringLiteral("NULL");
    const QString quoted = logquery::quoted(value);
    static const QRegularExpression style21(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3}$"));
    if ((type == QLatin1String("datetime") || type == QLatin1String("smalldatetime")) &&
        style21.match(value).hasMatch())
        return QStringLiteral("CONVERT(") + type + QStringLiteral(", '") + quoted +
               QStringLiteral("', 121)");
    return QStringLiteral("CAST('") + quoted + QStringLiteral("' AS ") + type + QLatin1Char(')');
}

// Lines of `items` each followed by "," and a line end, the last one without the ",".
QString lines(const QStringList& items)
{
    QString out;
    for (qsizetype i = 0; i < items.size(); ++i) {
        out += items[i];
        if (i + 1 < items.size())
            out += QLatin1Char(',');
        out += kCrLf;
    }
    return out;
}

QString build(const QString& type, const QString& table, const Audit& audit,
              const QString& keyValues, bool identity, const SchemaCache& cache)
{
    const QString name = SqlName(table);
    const QString condition = KeyCondition(keyValues);
    if (type == QLatin1String("I"))
        return QStringLiteral("DELETE ") + name + kCrLf + QStringLiteral("WHERE ") + condition +
               kCrLf;
    if (type == QLatin1String("U")) {
        if (audit.Count() == 0)
            return QStringLiteral("-- No Change in Data") + kCrLf + kCrLf;
        QStringList sets;
        for (const AuditDetails& item : audit) {
            sets << kIndent + SqlName(item.FieldName()) + QStringLiteral(" = ") +
                        valueLiteral(item.BeforeValue(),
                                     ColumnTypeName(cache, table, item.FieldName()));
        }
        return QStringLiteral("UPDATE ") + name + kCrLf + QStringLiteral("SET") + kCrLf +
               lines(sets) + QStringLiteral("WHERE ") + condition + kCrLf;
    }
    if (type == QLatin1String("D")) {
        QString out;
        if (identity)
            out += QStringLiteral("SET IDENTITY_INSERT ") + name + QStringLiteral(" ON") + kCrLf +
                   QStringLiteral("GO") + kCrLf + kCrLf;
        QStringList columns;
        QStringList values;
        for (const AuditDetails& item : audit) {
            columns << kIndent + SqlName(item.FieldName());
            values << kIndent + valueLiteral(item.BeforeValue(),
                                             ColumnTypeName(cache, table, item.FieldName()));
        }
        out += QStringLiteral("INSERT ") + name + QStringLiteral(" (") + kCrLf + lines(columns) +
               kIndent + QLatin1Char(')') + kCrLf + QStringLiteral("VALUES (") + kCrLf +
               lines(values) + kIndent + QLatin1Char(')') + kCrLf;
        // Only one table of a session may have IDENTITY_INSERT on: a script that restores
        // deleted rows of two such tables needs it off again.
        if (identity)
            out += QStringLiteral("SET IDENTITY_INSERT ") + name + QStringLiteral(" OFF") + kCrLf;
        return out;
    }
    return QString();
}

} // namespace

QString ColumnTypeName(const SchemaCache& cache, const QString& table, const QString& column)
{
    try {
        const std::optional<int> row = cache.find(table, column);
        if (!row)
            return QStringLiteral("*");
        const QString type = GetDatatype(cache, *row);
        const QString length = NzString(cache.value(*row, SchemaCache::CHARACTER_MAXIMUM_LENGTH));
        const QString precision = NzString(cache.value(*row, SchemaCache::NUMERIC_PRECISION));
        const QString scale =
            NzString(cache.value(*row, SchemaCache::NUMERIC_SCALE), QStringLiteral("0"));
        if ((type == QLatin1String("nchar") || type == QLatin1String("nvarchar")) &&
            length.toInt() > 0)
            return type + QLatin1Char('(') + length + QLatin1Char(')');
        if ((type == QLatin1String("decimal") || type == QLatin1String("numeric")) &&
            precision.toInt() > 0)
            return type + QLatin1Char('(') + precision + QLatin1Char(',') + scale +
                   QLatin1Char(')');
        return type;
    } catch (...) {
        return QStringLiteral("*");
    }
}

bool HasIdentityKey(const SchemaCache& cache, const QString& table, const QString& keyColumn)
{
    const std::optional<int> row = cache.find(table, keyColumn);
    if (!row)
        return false;
    return NzString(cache.value(*row, SchemaCache::COLUMN_FLAGS), QStringLiteral("0")) ==
               QLatin1String("16") &&
           GetDatatype(cache, *row) == QLatin1String("int");
}

QString BuildRestoreStatement(const QString& transactionType, const QString& table,
                              const Audit& audit, const QString& keyValues, bool identity,
                              const SchemaCache& cache)
{
    try {
        return build(transactionType, table, audit, keyValues, identity, cache);
    } catch (const Error& e) {
        return QStringLiteral("<<ERROR!>> - ") + e.description();
    } catch (const std::exception& e) {
        return QStringLiteral("<<ERROR!>> - ") + QString::fromLocal8Bit(e.what());
    }
}

} // namespace tallix
