#include "viewer/query/LogQuery.h"

#include "common/audit/KeyValues.h"
#include "common/db/DbErrors.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace tallix::logquery {

namespace {

// The opening quote of a literal of `value`: N' when it holds a character beyond ASCII, which a
// plain literal would turn into "?" in the database's code page before comparing it with the
// nvarchar columns of Unicode audit tables. ASCII values keep the plain literal.
QLatin1StringView opening(const QString& value)
{
    const bool ascii =
        std::all_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 0x80; });
    return ascii ? QLatin1StringView("'") : QLatin1StringView("N'");
}

QString equals(const char* column, const QString& value)
{
    if (value.isEmpty())
        return {};
    return QLatin1String(column) + QStringLiteral(" = ") + opening(value) + quoted(value) +
           QLatin1Char('\'');
}

} // namespace

QString quoted(const QString& text)
{
    QString out = text;
    return out.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QString TableFilter(const QString& table)
{
    return equals("sl.SourceTable", table);
}

QString TransactionTypeFilter(const QString& type)
{
    if (type == QLatin1String("Insert"))
        return QStringLiteral("sl.TransactionType = 'I'");
    if (type == QLatin1String("Update"))
        return QStringLiteral("sl.TransactionType = 'U'");
    if (type == QLatin1String("Delete"))
        return QStringLiteral("sl.TransactionType = 'D'");
    return {};
}

QString UserFilter(const QString& user)
{
    return equals("sl.Username", user);
}

QString ApplicationFilter(const QString& application)
{
    return equals("sl.Application", application);
}

QString WorkstationFilter(const QString& workstation)
{
    return equals("sl.Workstation", workstation);
}

QString FromDate(const QDateTime& from, const DateLiteral& literal)
{
    return QStringLiteral("sl.TransactionDate >= '") + quoted(literal(from)) + QLatin1Char('\'');
}

QString ToDate(const QDateTime& to, const DateLiteral& literal)
{
    const QDateTime dayAfter = to.addDays(1);
    if (!InServerRange(dayAfter))
        return {};
    return QStringLiteral("sl.TransactionDate < '") + quoted(literal(dayAfter)) + QLatin1Char('\'');
}

QString BeforeDate(const QDateTime& before, const DateLiteral& literal)
{
    return QStringLiteral("sl.TransactionDate < '") + quoted(literal(before)) + QLatin1Char('\'');
}

QString KeyContains(const QString& text)
{
    if (text.isEmpty())
        return {};
    // LIKE's wildcards and its bracket each stand for themselves inside brackets. (An ESCAPE
    // character would do on SQL Server, but not on every engine that speaks T-SQL.)
    QString pattern;
    pattern.reserve(text.size() + 8);
    for (const QChar c : audit::shownKeyValues(text)) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('['))
            pattern += QLatin1Char('[') + c + QLatin1Char(']');
        else
            pattern += c;
    }
    return audit::shownKeyValuesExpression(u"slk.KeyValues") + QStringLiteral(" like ") +
           opening(pattern) + QStringLiteral("%") + quoted(pattern) + QStringLiteral("%'");
}

bool InServerRange(const QDateTime& value)
{
    const QDate day = value.date();
    return day.isValid() && day >= QDate(1753, 1, 1) && day <= QDate(9999, 12, 31);
}

std::optional<QString> LogIdText(const QString& text)
{
    static const QRegularExpression guid(
        QStringLiteral("^\\s*(\\{?)([0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-"
                       "[0-9A-Fa-f]{12})(\\}?)\\s*$"));
    const QRegularExpressionMatch m = guid.match(text);
    if (!m.hasMatch() || m.capturedLength(1) != m.capturedLength(3))
        return std::nullopt;
    return QLatin1Char('{') + m.captured(2).toUpper() + QLatin1Char('}');
}

QString AddToWhereClause(const QString& Current, const QString& Condition)
{
    if (Current.isEmpty())
        return Condition;
    if (Condition.isEmpty())
        return Current;
    return Current + QStringLiteral(" AND ") + Condition;
}

QString WhereClause(const LogFilters& f, const DateLiteral& literal)
{
    QString where;
    where = AddToWhereClause(where, TableFilter(f.table));
    where = AddToWhereClause(where, TransactionTypeFilter(f.transactionType));
    where = AddToWhereClause(where, UserFilter(f.user));
    where = AddToWhereClause(where, ApplicationFilter(f.application));
    where = AddToWhereClause(where, WorkstationFilter(f.workstation));
    if (f.from)
        where = AddToWhereClause(where, FromDate(*f.from, literal));
    if (f.to)
        where = AddToWhereClause(where, ToDate(*f.to, literal));
    if (f.before)
        where = AddToWhereClause(where, BeforeDate(*f.before, literal));
    where = AddToWhereClause(where, KeyContains(f.keyContains));
    return where;
}

QString SelectText(const QString& where)
{
    QString sql = QStringLiteral(
                      "SELECT sl.LogID, sl.TransactionType, CONVERT(VARCHAR(32),sl.TransactionDate,"
                      "21) as TransactionDate, sl.SourceTable, sl.Username, sl.Workstation, "
                      "sl.Application, ") +
                  audit::shownKeyValuesExpression(u"slk.KeyValues") +
                  QStringLiteral(" as KeyValues FROM Tallix sl, TallixKeys slk WHERE sl.KeyID = "
                                 "slk.KeyID");
    if (!where.isEmpty())
        sql += QStringLiteral(" AND ") + where + QLatin1Char(' ');
    return sql + QStringLiteral(" ORDER BY TransactionDate DESC");
}

int MaxRecords(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok);
    if (!ok) {
        // Digits alone that do not fit are too large, not mistyped.
        bool digits = !t.isEmpty();
        for (QChar c : t)
            digits = digits && c.isDigit();
        if (digits)
            throw Error(Overflow, QStringLiteral("Overflow"));
        throw Error(TypeMismatch, QStringLiteral("Type mismatch"));
    }
    if (n > std::numeric_limits<int>::max())
        throw Error(Overflow, QStringLiteral("Overflow"));
    return n > 0 ? static_cast<int>(n) : 0;
}

QString FailureText(const Error& error)
{
    if (error.number() == DB_E_NOTABLE)
        return QStringLiteral("Tallix does not appear to be running/configured for this database.");
    return QStringLiteral("Error: ") + error.description();
}

QString DistinctText(const QString& column)
{
    return QStringLiteral("SELECT DISTINCT ") + column + QStringLiteral(" FROM Tallix ORDER BY ") +
           column;
}

DateLiteral DateLiteralFor(const QString& connectionString)
{
    auto connection = std::make_shared<Connection>(connectionString);
    return [connection](const QDateTime& value) {
        return connection->dateLiteral(value);
    };
}

QString SelectText(const LogFilters& filters, const QString& connectionString)
{
    return SelectText(WhereClause(filters, DateLiteralFor(connectionString)));
}

Recordset FetchLog(const QString& connectionString, const QString& selectText, int maxRecords)
{
    Connection connection(connectionString);
    connection.Open();
    Recordset rows = connection.OpenRecordset(selectText, maxRecords);
    connection.Close();
    return rows;
}

void StreamLog(const QString& connectionString, const QString& selectText, int maxRecords,
               RowSink& sink)
{
    Connection connection(connectionString);
    connection.Open();
    connection.Stream(selectText, maxRecords, sink);
    connection.Close();
}

QStringList DistinctValues(Connection& connection, const QString& column)
{
    Recordset rows = connection.OpenRecordset(DistinctText(column));
    QStringList values;
    for (rows.MoveFirst(); !rows.atEnd(); rows.MoveNext())
        values << rows.Field(0).toString();
    return values;
}

} // namespace tallix::logquery
