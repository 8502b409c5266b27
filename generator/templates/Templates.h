#pragma once

#include "generator/model/CTable.h"

#include <QDateTime>
#include <QString>

// The T-SQL texts of the audit script: the header and banners, the block that
// creates the audit tables, the three triggers of a table and the drop blocks of
// the removal script. Every line of every text ends with CR LF.
namespace tallix {

// The row alias of a trigger statement: i for inserted, d for deleted.
enum class Alias { Inserted, Deleted };

// How the audit tables and the triggers hold text: in the database's code page (Narrow, the
// layout every script had before), or as Unicode (nvarchar, N'...' literals, NVARCHAR(MAX) data
// text), so no character outside the code page is recorded as "?". Unicode needs SQL Server 2005
// or later.
enum class AuditText { Narrow, Unicode };

// How a key expression is laid out: as a select-list item (8 blanks before each
// line) or after "AND slk.KeyValues = " on the same line (3 blanks).
enum class KeyForm { SelectList, Comparison };

// The one fixed form of the generation time, "yyyy-MM-dd HH:mm:ss", so that a
// script reads the same whatever the user's locale.
QString formatGenerationTime(const QDateTime& generated);

// The five first lines of both scripts (three comment lines, two empty lines).
QString ScriptHeader(const QDateTime& generated);

// The six banner lines written after "AS" in each trigger.
QString TriggerBanner(const QString& tableName, const QString& suffix, const QDateTime& generated);

// The fixed block that creates or upgrades TallixKeys, creates Tallix and rebuilds
// the key index (126 lines). The Unicode block (164 lines) creates the tables with nvarchar columns
// and alters audit tables of the narrow layout in place, keeping every row.
QString CreationBlock(AuditText text = AuditText::Narrow);

// The fixed block that drops Tallix, then TallixKeys. Empty after a failure, which is then put
// in `failure` when that is given.
QString GenerateTableDrops(QString* failure = nullptr);

// The trigger base name: the table name with every blank replaced by an underscore.
// The triggers are named after it, bracketed when it is no regular identifier.
QString CleanTriggerName(const QString& tableName);

// Whether the table's name is longer than Tallix.SourceTable and TallixKeys.SourceTable hold
// (audit::fitsSourceTable): a trigger of that table would fail every write to it.
bool HasLongName(const CTable& table);

// Whether the table's key-values text could be longer than TallixKeys.KeyValues of the layout
// holds (audit::keyValuesLength), estimated as schema discovery does: per key column its name,
// its size and two characters. Discovery marks such tables LargeKey for the layout chosen then; a
// project switched to the shorter Unicode column afterwards is caught here.
bool HasLongKey(const CTable& table, AuditText text);

// Whether the table's name, or the name of a column the triggers write (a key or
// included column), holds a line break or other control character. Such a name
// cannot be written into a bracketed name safely, so the table gets no triggers.
bool HasControlInNames(const CTable& table);

// The key-values text of one row as a T-SQL expression: one line per primary-key
// column in column order, terms joined by CHAR(1); the last line ends with the
// closing parenthesis, one blank and CR LF. Throws tallix::Error when the table
// has no primary-key column.
QString KeyExpression(const CTable& table, Alias alias, KeyForm form,
                      AuditText text = AuditText::Narrow);

// Which values an audit data expression records: both (the update trigger), or one side with
// the other one empty (the insert and the delete trigger).
enum class DataSides { Both, InsertedOnly, DeletedOnly };

// The audit data text of one row as a T-SQL expression, '<AUDIT>' + a term per included column
// + '</AUDIT>', laid out as the triggers write it: from the line of '<AUDIT>' through the line of
// '</AUDIT>'. Names are written as the data text records them (see SqlQuoting::appendAuditName).
// With Unicode text the first piece is NVARCHAR(MAX), so the whole text is never cut at 4,000
// characters, and character values are converted to NVARCHAR(MAX) before their apostrophes are
// replaced.
QString DataExpression(const CTable& table, DataSides sides, AuditText text = AuditText::Narrow);

// The recorded text of one column's value: NULL for a SQL NULL, apostrophes
// written as &apos; in guid and character columns. No line end.
// Names are written safely for where they stand: doubled apostrophes in literals,
// doubled "]" in brackets (see SqlQuoting.h).
QString ValueExpression(const CColumn& column, Alias alias, AuditText text = AuditText::Narrow);

// The trigger batches of one table. A trigger text is never legitimately empty:
// an empty result means the text could not be built; `failure`, when given, then
// says why: "Error (GenerateUpdate) - " (GenerateInsert, GenerateDelete) and the
// error's description. A table without primary-key column is such a failure; the
// driver writes its own block for those tables and does not call these.
QString GenerateUpdate(const CTable& table, bool specialMTSHandling, const QDateTime& generated,
                       QString* failure = nullptr, AuditText text = AuditText::Narrow);
QString GenerateInsert(const CTable& table, bool specialMTSHandling, const QDateTime& generated,
                       QString* failure = nullptr, AuditText text = AuditText::Narrow);
QString GenerateDelete(const CTable& table, bool specialMTSHandling, const QDateTime& generated,
                       QString* failure = nullptr, AuditText text = AuditText::Narrow);

// Drops the insert, update and delete triggers of a table, whatever its flags.
// Empty after a failure, "Error (GenerateRemove) - " and the description in
// `failure`; a table name with a control character is such a failure.
QString GenerateRemove(const CTable& table, QString* failure = nullptr);

} // namespace tallix
