#include "viewer/restore/RestoreStatement.h"

#include "common/audit/AuditData.h"
#include "common/audit/ColumnTypes.h"
#include "common/audit/KeyValues.h"
#include "common/audit/SqlQuoting.h"
#include "common/base/Error.h"
#include "viewer/details/Audit.h"
#include "viewer/details/AuditRecord.h"
#include "viewer/query/SchemaCache.h"

#include <QRegularExpression>
#include <QSet>
#include <exception>
#include <optional>

namespace tallix {

namespace {

using SqlQuoting::LiteralKind;

const QLatin1String kCrLf("\r\n");
const QLatin1String kIndent("       ");

LiteralKind literalKindOf(const QString& type)
{
    return audit::isUnicodeType(type) ? LiteralKind::Unicode : LiteralKind::Plain;
}

QString quotedName(const QString& name)
{
    return QLatin1Char('"') + SqlQuoting::shownName(name) + QLatin1Char('"');
}

// The before value as a literal of the column's type. Date-times recorded in style 21 are read
// with that style, which the server reads alike under every login language.
QString valueLiteral(const QString& value, const QString& type)
{
    if (value == audit::kNullValue)
        return QStringLiteral("NULL");
    static const QRegularExpression style21(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3}$"));
    if ((type == QLatin1String("datetime") || type == QLatin1String("smalldatetime")) &&
        style21.match(value).hasMatch())
        return QStringLiteral("CONVERT(") + type + QStringLiteral(", ") +
               SqlQuoting::literal(value) + QStringLiteral(", 121)");
    return QStringLiteral("CAST(") + SqlQuoting::literal(value, literalKindOf(type)) +
           QStringLiteral(" AS ") + type + QLatin1Char(')');
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

// Checks the names and types of one restore against the schema cache and builds it.
class RestoreBuilder {
public:
    RestoreBuilder(const SchemaCache& cache, const QString& table)
        : m_cache(cache)
        , m_table(table)
    {}

    // Why the table cannot be restored, or nothing.
    std::optional<QString> checkTable() const
    {
        if (m_table.isEmpty())
            return QStringLiteral("The audit row names no table.");
        if (SqlQuoting::hasControl(m_table))
            return QStringLiteral("The table name %1 holds a line break or another control "
                                  "character and can not be restored safely.")
                .arg(quotedName(m_table));
        if (m_cache.isAmbiguous(m_table))
            return QStringLiteral("The table name %1 names tables in two schemas; their rows can "
                                  "not be told apart and are not restored.")
                .arg(quotedName(m_table));
        if (m_cache.rowsOf(m_table).isEmpty())
            return QStringLiteral("The table %1 does not exist in this database.")
                .arg(quotedName(m_table));
        return std::nullopt;
    }

    // Why a column named by the row cannot be written, or nothing; `what` says where the row
    // names it.
    std::optional<QString> checkColumn(const QString& column, const QString& what) const
    {
        if (column.isEmpty())
            return QStringLiteral("The audit row names a %1 without a name.").arg(what);
        if (SqlQuoting::hasControl(column))
            return QStringLiteral("The %1 name %2 holds a line break or another control "
                                  "character and can not be restored safely.")
                .arg(what, quotedName(column));
        if (!m_cache.find(m_table, column))
            return QStringLiteral("The audit row names the %1 %2, which the table %3 does not "
                                  "have.")
                .arg(what, quotedName(column), quotedName(m_table));
        if (ColumnTypeName(m_cache, m_table, column).isEmpty())
            return QStringLiteral("The %1 %2 has a type that can not be restored.")
                .arg(what, quotedName(column));
        return std::nullopt;
    }

    // The WHERE condition of the key; the pairs are checked.
    std::optional<QString> keyCondition(const QString& keyValues, QString& condition) const
    {
        const audit::KeyReading key = audit::readKeyValues(keyValues);
        if (!key.complete())
            return QStringLiteral("The key text of the audit row can not be read: ") + key.error;
        QStringList terms;
        for (const audit::KeyPair& pair : key.pairs) {
            if (auto why = checkColumn(pair.name, QStringLiteral("key column")))
                return why;
            const QString type = ColumnTypeName(m_cache, m_table, pair.name);
            terms << SqlQuoting::statementName(pair.name) + QLatin1Char('=') +
                         SqlQuoting::literal(pair.value, literalKindOf(type));
        }
        condition = terms.join(QLatin1String(" AND "));
        return std::nullopt;
    }

    // Every recorded column is checked and named once.
    std::optional<QString> checkColumns(const Audit& audit) const
    {
        QSet<QString> seen;
        for (const AuditDetails& item : audit) {
            if (auto why = checkColumn(item.FieldName(), QStringLiteral("column")))
                return why;
            const QString folded = item.FieldName().toCaseFolded();
            if (seen.contains(folded))
                return QStringLiteral("The audit row records the column %1 more than once.")
                    .arg(quotedName(item.FieldName()));
            seen.insert(folded);
        }
        return std::nullopt;
    }

    QString assignment(const AuditDetails& item) const
    {
        return kIndent + SqlQuoting::statementName(item.FieldName()) + QStringLiteral(" = ") +
               value(item);
    }

    QString value(const AuditDetails& item) const
    {
        return valueLiteral(item.BeforeValue(), ColumnTypeName(m_cache, m_table, item.FieldName()));
    }

private:
    const SchemaCache& m_cache;
    const QString& m_table;
};

// The names of the columns whose written values may hold "?" for lost characters: key columns,
// then the recorded columns the statement writes.
QStringList lossyColumns(const SchemaCache& cache, const QString& table, const QString& keyValues,
                         const QList<const AuditDetails*>& written, audit::Layout layout)
{
    QStringList names;
    if (layout == audit::Layout::Unicode)
        return names;
    const auto check = [&](const QString& column, const QString& value) {
        if (audit::mayHaveLostCharacters(layout, ColumnTypeName(cache, table, column), value) &&
            !names.contains(column))
            names << column;
    };
    for (const audit::KeyPair& pair : audit::readKeyValues(keyValues).pairs)
        check(pair.name, pair.value);
    for (const AuditDetails* item : written)
        check(item->FieldName(), item->BeforeValue());
    return names;
}

// The statement with a note in front of it for every column in `lossy`.
RestoreBuild withNotes(QString statement, const QStringList& lossy)
{
    QString notes;
    for (const QString& column : lossy)
        notes += audit::lostCharactersNote(column);
    return {notes + statement, {}, lossy};
}

RestoreBuild build(const QString& type, const QString& table, const Audit& audit,
                   const QString& keyValues, bool identity, const SchemaCache& cache,
                   audit::Layout layout)
{
    const bool insert = type == QLatin1String("I");
    const bool update = type == QLatin1String("U");
    const bool remove = type == QLatin1String("D");
    if (!insert && !update && !remove)
        return RestoreBuild::refused(
            QStringLiteral("The audit row has the transaction type %1; only I, U and D can be "
                           "restored.")
                .arg(quotedName(type)));
    const RestoreBuilder builder(cache, table);
    if (auto why = builder.checkTable())
        return RestoreBuild::refused(*why);
    QString condition;
    if (auto why = builder.keyCondition(keyValues, condition))
        return RestoreBuild::refused(*why);
    // An insert is undone by its key alone: a column dropped since does not stand in the way.
    if (auto why = insert ? std::nullopt : builder.checkColumns(audit))
        return RestoreBuild::refused(*why);

    const QString name = cache.statementName(table);
    if (insert)
        return withNotes(QStringLiteral("DELETE ") + name + kCrLf + QStringLiteral("WHERE ") +
                             condition + kCrLf,
                         lossyColumns(cache, table, keyValues, {}, layout));
    if (update) {
        QStringList sets;
        QList<const AuditDetails*> written;
        for (const AuditDetails& item : audit) {
            // The server refuses to set an identity, timestamp or computed column.
            if (IsWritableColumn(cache, table, item.FieldName())) {
                sets << builder.assignment(item);
                written << &item;
            }
        }
        if (sets.isEmpty())
            return {QStringLiteral("-- No Change in Data") + kCrLf + kCrLf, {}, {}};
        return withNotes(QStringLiteral("UPDATE ") + name + kCrLf + QStringLiteral("SET") + kCrLf +
                             lines(sets) + QStringLiteral("WHERE ") + condition + kCrLf,
                         lossyColumns(cache, table, keyValues, written, layout));
    }
    if (audit.Count() == 0)
        return RestoreBuild::refused(
            QStringLiteral("The audit row records no column of the deleted row."));
    QString out;
    if (identity)
        out += QStringLiteral("SET IDENTITY_INSERT ") + name + QStringLiteral(" ON") + kCrLf +
               QStringLiteral("GO") + kCrLf + kCrLf;
    QStringList columns;
    QStringList values;
    QList<const AuditDetails*> written;
    for (const AuditDetails& item : audit) {
        columns << kIndent + SqlQuoting::statementName(item.FieldName());
        values << kIndent + builder.value(item);
        written << &item;
    }
    out += QStringLiteral("INSERT ") + name + QStringLiteral(" (") + kCrLf + lines(columns) +
           kIndent + QLatin1Char(')') + kCrLf + QStringLiteral("VALUES (") + kCrLf + lines(values) +
           kIndent + QLatin1Char(')') + kCrLf;
    // Only one table of a session may have IDENTITY_INSERT on: a script that restores
    // deleted rows of two such tables needs it off again.
    if (identity)
        out += QStringLiteral("SET IDENTITY_INSERT ") + name + QStringLiteral(" OFF") + kCrLf;
    return withNotes(out, lossyColumns(cache, table, keyValues, written, layout));
}

} // namespace

QString ColumnTypeName(const SchemaCache& cache, const QString& table, const QString& column)
{
    try {
        const std::optional<int> row = cache.find(table, column);
        if (!row)
            return QStringLiteral("*");
        return cache.castTypeName(*row);
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
           cache.typeName(*row) == QLatin1String("int");
}

bool IsWritableColumn(const SchemaCache& cache, const QString& table, const QString& column)
{
    constexpr int kWritable = 8;
    const std::optional<int> row = cache.find(table, column);
    if (!row)
        return true;
    const QVariant flags = cache.value(*row, SchemaCache::COLUMN_FLAGS);
    return NzString(flags).isEmpty() || (flags.toInt() & kWritable) != 0;
}

RestoreBuild BuildRestoreStatement(const QString& transactionType, const QString& table,
                                   const Audit& audit, const QString& keyValues, bool identity,
                                   const SchemaCache& cache, audit::Layout layout)
{
    try {
        return build(transactionType, table, audit, keyValues, identity, cache, layout);
    } catch (const Error& e) {
        return RestoreBuild::refused(e.description());
    } catch (const std::exception& e) {
        return RestoreBuild::refused(QString::fromLocal8Bit(e.what()));
    }
}

RestoreBuild BuildRestore(const AuditRecord& record, const SchemaCache& cache, bool allFields)
{
    const audit::DataReading data = audit::readData(record.Data);
    if (!data.complete())
        return RestoreBuild::refused(QStringLiteral("The audit data of the row can not be read "
                                                    "whole: ") +
                                     data.error);
    const bool remove = record.TransactionType == QLatin1String("D");
    Audit audit;
    for (const audit::DataColumn& column : data.columns) {
        if (remove || allFields || column.before != column.after)
            audit.Add(column.name, column.before, column.after);
    }
    const QString firstKey =
        audit::readKeyValues(record.KeyValues).pairs.value(0).name; // checked when building
    return BuildRestoreStatement(
        record.TransactionType, record.SourceTable, audit, record.KeyValues,
        HasIdentityKey(cache, record.SourceTable, firstKey), cache, cache.auditLayout());
}

} // namespace tallix
