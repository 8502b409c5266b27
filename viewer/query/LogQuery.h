#pragma once

#include "common/base/Error.h"
#include "common/db/Connection.h"
#include "viewer/query/LogFilters.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

namespace tallix {

// Writes a date-time as it goes between apostrophes in the connected provider's SQL
// (Connection::dateLiteral), so a bound means the same moment whatever the machine's locale.
using DateLiteral = std::function<QString(const QDateTime&)>;

// The audit-row query of the viewer and its filters, as plain functions so that the window and
// the command line build the very same text. Every value is put between apostrophes with its own
// apostrophes doubled: a name such as O'Brien is found, and no value can change the statement.
namespace logquery {

// `text` with every apostrophe doubled, for use inside '...'.
QString quoted(const QString& text);

// Each builder gives one condition, or an empty text when its value is empty.
QString TableFilter(const QString& table);
QString TransactionTypeFilter(const QString& type);
QString UserFilter(const QString& user);
QString ApplicationFilter(const QString& application);
QString WorkstationFilter(const QString& workstation);
// From that moment on (inclusive).
QString FromDate(const QDateTime& from, const DateLiteral& literal);
// Before the moment one day after `to`; no condition when that day is past the server's last
// date, which every stored date is before.
QString ToDate(const QDateTime& to, const DateLiteral& literal);
// Before that moment (exclusive).
QString BeforeDate(const QDateTime& before, const DateLiteral& literal);
// The key text as the list shows it (CHAR(1) between key columns written " | ") contains `text`,
// taken literally: LIKE's %, _ and [ in it are each written in brackets. A CHAR(1) in `text`
// stands for the " | " it is shown as.
QString KeyContains(const QString& text);

// Whether a date-time lies within the server's datetime type, 1753-01-01 to 9999-12-31.
bool InServerRange(const QDateTime& value);

// A LogID written the way the programs read uniqueidentifier values,
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case, from any spelling of the same GUID
// (letter case, with or without braces, surrounding blanks); nothing for a text that is no GUID.
std::optional<QString> LogIdText(const QString& text);

// `Condition` when `Current` is empty, `Current` when `Condition` is, else both joined by AND.
QString AddToWhereClause(const QString& Current, const QString& Condition);

// The filters' conditions in the window's order, joined by AND.
QString WhereClause(const LogFilters& filters, const DateLiteral& literal);

// The one-line SELECT over Tallix and TallixKeys, newest first, narrowed by `where` when it is
// not empty.
QString SelectText(const QString& where);

// The text of the Max Records box as a row limit (0 = all rows). Anything but a number, an empty
// text included, fails with error 13 "Type mismatch"; a number beyond the limit's range with
// error 6 "Overflow". A negative number gives 0.
int MaxRecords(const QString& text);

// What the viewer tells the user about a failed query or connect: the not-configured text for a
// missing audit table, else "Error: " and the description.
QString FailureText(const Error& error);

// The query that fills one filter list: "SELECT DISTINCT " column " FROM Tallix ORDER BY " column.
QString DistinctText(const QString& column);

// The date literal of the provider that `connectionString` names.
DateLiteral DateLiteralFor(const QString& connectionString);

// The SELECT of the filters, its dates written for the provider that `connectionString` names.
QString SelectText(const LogFilters& filters, const QString& connectionString);

inline constexpr long TypeMismatch = 13;
inline constexpr long Overflow = 6;

// Runs the audit-row query over a connection of its own, opened and closed here.
Recordset FetchLog(const QString& connectionString, const QString& selectText, int maxRecords);
// The same rows handed to `sink` one at a time as they are read, none of them kept.
void StreamLog(const QString& connectionString, const QString& selectText, int maxRecords,
               RowSink& sink);

// The values of one DISTINCT filter query over an open connection.
QStringList DistinctValues(Connection& connection, const QString& column);

} // namespace logquery

} // namespace tallix
