#include "common/audit/Limits.h"
#include "common/audit/SqlQuoting.h"
#include "common/audit/TableNames.h"
#include "common/base/Error.h"
#include "generator/templates/TemplateParts.h"

namespace tallix {

namespace {

using templates::aliasLetter;
using templates::appendDataExpression;
using templates::appendKeyExpression;
using templates::kEol;

enum class Action { Insert, Update, Delete };

QLatin1StringView suffixOf(Action action)
{
    switch (action) {
    case Action::Insert:
        return QLatin1StringView("TallixInsert");
    case Action::Update:
        return QLatin1StringView("TallixUpdate");
    case Action::Delete:
        break;
    }
    return QLatin1StringView("TallixDelete");
}

Alias otherAlias(Alias alias)
{
    return alias == Alias::Inserted ? Alias::Deleted : Alias::Inserted;
}

QLatin1StringView fromTable(Alias alias)
{
    return alias == Alias::Inserted ? QLatin1StringView("inserted i")
                                    : QLatin1StringView("deleted d");
}

// A rough size of one trigger, so that the text grows without copying.
qsizetype estimatedSize(const CTable& table)
{
    return 4096 + 2 * table.TableName.size() + static_cast<qsizetype>(table.Columns.Count()) * 640;
}

// The trigger as the statements name it. A trigger lives in its table's schema: the drop
// blocks and checks name that schema ("dbo." for the default one), and the CREATE names it only
// outside the default schema, so scripts for "dbo" tables read as they always have.
struct TriggerName {
    QString qualified; // schema prefix and name
    QString created;   // as CREATE TRIGGER writes it
    QString literal;   // the qualified name inside a string literal

    TriggerName(const CTable& table, const QString& name, QLatin1StringView suffix)
    {
        SqlQuoting::appendObjectName(created, QString(name + suffix));
        qualified = audit::schemaPrefix(table.Schema) + created;
        if (!table.Schema.isEmpty())
            created = qualified;
        SqlQuoting::appendLiteral(literal, qualified);
    }
};

// Drops an earlier trigger of the same name; the drop block of the removal
// script is made of three of these.
void appendDropSection(QString& out, const CTable& table, const QString& name,
                       QLatin1StringView suffix)
{
    const TriggerName trigger(table, name, suffix);
    out += QLatin1StringView("IF OBJECT_ID('");
    out += trigger.literal;
    out += QLatin1StringView("') IS NOT NULL\r\nBEGIN\r\n   DROP TRIGGER ");
    out += trigger.qualified;
    out += QLatin1StringView("\r\n   IF OBJECT_ID('");
    out += trigger.literal;
    out += QLatin1StringView("') IS NOT NULL\r\n      PRINT '<< FAILED DROPPING TRIGGER ");
    out += trigger.literal;
    out += QLatin1StringView(" >>>'\r\n   ELSE\r\n      PRINT '<<< DROPPED TRIGGER ");
    out += trigger.literal;
    out += QLatin1StringView(" >>>'\r\nEND\r\nGO\r\n\r\n");
}

void appendHead(QString& out, const CTable& table, const QString& name, Action action,
                bool specialMTSHandling, const QDateTime& generated, AuditText text)
{
    const QLatin1StringView suffix = suffixOf(action);
    out += QLatin1StringView("CREATE TRIGGER ");
    out += TriggerName(table, name, suffix).created;
    out += QLatin1StringView(" ON ");
    audit::appendBracketedTable(out, table.Schema, table.TableName);
    out += kEol;
    switch (action) {
    case Action::Insert:
        out += QLatin1StringView("FOR INSERT\r\n");
        break;
    case Action::Update:
        out += QLatin1StringView("FOR UPDATE\r\n");
        break;
    case Action::Delete:
        out += QLatin1StringView("FOR DELETE\r\n");
        break;
    }
    out += QLatin1StringView("AS\r\n");
    out += TriggerBanner(table.QualifiedName(), suffix, generated);
    // Still cut to the 64 characters of their columns, but no longer narrowed to the code page.
    out += text == AuditText::Unicode ? QLatin1StringView("DECLARE @Application AS NVARCHAR(64)\r\n"
                                                          "DECLARE @Username AS NVARCHAR(64)\r\n")
                                      : QLatin1StringView("DECLARE @Application AS VARCHAR(64)\r\n"
                                                          "DECLARE @Username AS VARCHAR(64)\r\n");
    out += QLatin1StringView("\r\n"
                             "SET NOCOUNT ON\r\n"
                             "\r\n");
    if (specialMTSHandling) {
        // A middle tier passes the real user at the end of the application name,
        // between << and >>.
        out += QLatin1StringView(
            "IF (SELECT PATINDEX('%<<%>>%',APP_NAME())) > 0\r\n"
            "   BEGIN\r\n"
            "   SELECT @Application = (SELECT RTRIM(LEFT(APP_NAME(),(SELECT "
            "PATINDEX('%<<%>>%',APP_NAME()))-1)))\r\n"
            "   SELECT @Username = SUBSTRING(APP_NAME(),(SELECT "
            "PATINDEX('%<<%>>%',APP_NAME()))+2,100)\r\n"
            // The appended ">>" keeps the length positive when the name does not end
            // in ">>" or was cut to the 64 characters of @Username; a negative length
            // would fail the trigger and with it the user's write.
            "   SELECT @Username = LEFT(@Username,(SELECT PATINDEX('%>>%',@Username + '>>'))-1)\r\n"
            "   END\r\n"
            "ELSE\r\n"
            "   BEGIN\r\n"
            "   SELECT @Application = APP_NAME(),\r\n"
            "          @Username = SYSTEM_USER\r\n"
            "   END\r\n");
    } else {
        out += QLatin1StringView("SELECT @Application = APP_NAME(),\r\n"
                                 "       @Username = SYSTEM_USER\r\n");
    }
    out += kEol;
}

// "WHERE slk.SourceTable = 'T'" and the key comparison: picks the key row of
// the audited row.
void appendKeyMatch(QString& out, const CTable& table, Alias alias, AuditText text)
{
    out += QLatin1StringView("        WHERE slk.SourceTable = ");
    out += templates::literalOpening(text);
    SqlQuoting::appendLiteral(out, table.QualifiedName(), templates::literalKind(text));
    out += QLatin1StringView("'\r\n            AND slk.KeyValues = ");
    appendKeyExpression(out, table, alias, KeyForm::Comparison, text);
}

// The schema of the audit tables as a trigger names them. An unqualified name inside a trigger
// outside dbo may resolve in the trigger's own schema (or, on some servers, not at all), so such a
// trigger names dbo: a Tallix table in the audited table's schema must never receive its rows.
// Triggers of dbo tables write the bare names, as they always have.
QLatin1StringView auditSchema(const CTable& table)
{
    return table.Schema.isEmpty() ? QLatin1StringView() : QLatin1StringView("dbo.");
}

// Adds the row's key to TallixKeys unless it is there already.
void appendKeyInsert(QString& out, const CTable& table, Alias alias, AuditText text)
{
    out += QLatin1StringView("INSERT ");
    out += auditSchema(table);
    out += QLatin1StringView("TallixKeys(sourcetable, KeyValues)\r\n    SELECT ");
    out += templates::literalOpening(text);
    SqlQuoting::appendLiteral(out, table.QualifiedName(), templates::literalKind(text));
    out += QLatin1StringView("',\r\n");
    appendKeyExpression(out, table, alias, KeyForm::SelectList, text);
    out += QLatin1StringView("    FROM ");
    out += fromTable(alias);
    out += QLatin1StringView("\r\n    WHERE NOT EXISTS (\r\n"
                             "        SELECT slk.keyid\r\n"
                             "        FROM ");
    out += auditSchema(table);
    out += QLatin1StringView("TallixKeys slk\r\n");
    appendKeyMatch(out, table, alias, text);
    out += QLatin1StringView("    )\r\n\r\n");
}

// The INSERT into Tallix up to the audit data.
void appendAuditInsertHead(QString& out, const CTable& table, char transactionType, AuditText text)
{
    out += QLatin1StringView("INSERT ");
    out += auditSchema(table);
    out += QLatin1StringView("Tallix(SourceTable, TransactionType, UserName, Workstation, "
                             "Application, KeyID, Data)\r\n    SELECT ");
    out += templates::literalOpening(text);
    SqlQuoting::appendLiteral(out, table.QualifiedName(), templates::literalKind(text));
    out += QLatin1StringView("',\r\n           '");
    out += QLatin1Char(transactionType);
    out += QLatin1StringView("',\r\n"
                             "           @Username,\r\n"
                             "           HOST_NAME(),\r\n"
                             "           @Application,\r\n"
                             "           KeyID,\r\n");
}

// Appends `term` for every key column, the terms joined by " AND " and a line end
// with `indent` before every term but the first.
template <typename Term>
void appendKeyTerms(QString& out, const CTable& table, QLatin1StringView indent, Term term)
{
    bool first = true;
    for (const CColumn& column : table.Columns) {
        if (!column.InPrimaryKey)
            continue;
        if (!first) {
            out += QLatin1StringView(" AND \r\n");
            out += indent;
        }
        first = false;
        term(column);
    }
}

void appendColumnRef(QString& out, Alias alias, const CColumn& column)
{
    out += aliasLetter(alias);
    out += QLatin1StringView(".[");
    SqlQuoting::appendBracketed(out, column.ColumnName);
    out += QLatin1Char(']');
}

// Rows whose key exists on side `kept` only: an I row for a key that the update
// introduced, a D row for one that it removed.
void appendChangedKeyRows(QString& out, const CTable& table, char transactionType, Alias kept,
                          AuditText text)
{
    const Alias missing = otherAlias(kept);
    appendAuditInsertHead(out, table, transactionType, text);
    appendDataExpression(out, table, DataSides::Both, text);
    out += QLatin1StringView("    FROM ");
    out += fromTable(kept);
    out += QLatin1StringView(" left join ");
    out += fromTable(missing);
    out += QLatin1StringView(" on (");
    appendKeyTerms(out, table, QLatin1StringView(), [&](const CColumn& column) {
        appendColumnRef(out, kept, column);
        out += QLatin1StringView(" = ");
        appendColumnRef(out, missing, column);
    });
    out += QLatin1StringView("),\r\n         ");
    out += auditSchema(table);
    out += QLatin1StringView("TallixKeys slk\r\n");
    appendKeyMatch(out, table, kept, text);
    out += QLatin1StringView("            AND (\r\n                      ");
    appendKeyTerms(out, table, QLatin1StringView("                      "),
                   [&](const CColumn& column) {
                       appendColumnRef(out, missing, column);
                       out += QLatin1StringView(" IS NULL");
                   });
    out += QLatin1StringView("\r\n)\r\n\r\n\r\n");
}

void appendEnd(QString& out, const CTable& table, const QString& name, QLatin1StringView suffix)
{
    const TriggerName trigger(table, name, suffix);
    out += QLatin1StringView("SET NOCOUNT OFF\r\n\r\nGO\r\n\r\nIF OBJECT_ID('");
    out += trigger.literal;
    out += QLatin1StringView("') IS NOT NULL\r\n   PRINT '<<< CREATED TRIGGER ");
    out += trigger.literal;
    out += QLatin1StringView(" >>>'\r\nELSE\r\n   PRINT '<<< FAILED CREATING TRIGGER ");
    out += trigger.literal;
    out += QLatin1StringView(" >>>'\r\nGO\r\n\r\n");
}

void buildUpdate(QString& out, const CTable& table, bool specialMTSHandling,
                 const QDateTime& generated, AuditText text)
{
    templates::requireAuditable(table);
    const QString name = CleanTriggerName(table.TableName);
    const QLatin1StringView suffix = suffixOf(Action::Update);

    appendDropSection(out, table, name, suffix);
    appendHead(out, table, name, Action::Update, specialMTSHandling, generated, text);

    out += QLatin1StringView("-- cover both the inserted and deleted keys\r\n");
    appendKeyInsert(out, table, Alias::Inserted, text);
    appendKeyInsert(out, table, Alias::Deleted, text);

    // Rows that kept their key.
    appendAuditInsertHead(out, table, 'U', text);
    appendDataExpression(out, table, DataSides::Both, text);
    out += QLatin1StringView("    FROM inserted i, deleted d, ");
    out += auditSchema(table);
    out += QLatin1StringView("TallixKeys slk\r\n");
    appendKeyMatch(out, table, Alias::Inserted, text);
    out += QLatin1StringView("            AND\r\n                ");
    appendKeyTerms(out, table, QLatin1StringView("                "), [&](const CColumn& column) {
        appendColumnRef(out, Alias::Inserted, column);
        out += QLatin1StringView(" = ");
        appendColumnRef(out, Alias::Deleted, column);
    });
    out += QLatin1StringView("\r\n\r\n\r\n\r\n");

    appendChangedKeyRows(out, table, 'I', Alias::Inserted, text);
    appendChangedKeyRows(out, table, 'D', Alias::Deleted, text);

    appendEnd(out, table, name, suffix);
}

// The insert and delete triggers differ only in their side of the row.
void buildInsertOrDelete(QString& out, const CTable& table, Action action, bool specialMTSHandling,
                         const QDateTime& generated, AuditText text)
{
    templates::requireAuditable(table);
    const QString name = CleanTriggerName(table.TableName);
    const QLatin1StringView suffix = suffixOf(action);
    const bool inserting = action == Action::Insert;
    const Alias alias = inserting ? Alias::Inserted : Alias::Deleted;

    appendDropSection(out, table, name, suffix);
    appendHead(out, table, name, action, specialMTSHandling, generated, text);
    appendKeyInsert(out, table, alias, text);

    appendAuditInsertHead(out, table, inserting ? 'I' : 'D', text);
    appendDataExpression(out, table, inserting ? DataSides::InsertedOnly : DataSides::DeletedOnly,
                         text);
    out += QLatin1StringView("    FROM ");
    out += fromTable(alias);
    out += QLatin1StringView(", ");
    out += auditSchema(table);
    out += QLatin1StringView("TallixKeys slk\r\n");
    appendKeyMatch(out, table, alias, text);
    out += kEol;

    appendEnd(out, table, name, suffix);
}

} // namespace

QString CleanTriggerName(const QString& tableName)
{
    QString name = tableName;
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    return name;
}

QString GenerateUpdate(const CTable& table, bool specialMTSHandling, const QDateTime& generated,
                       QString* failure, AuditText text)
{
    return templates::guardedBuild(
        QLatin1StringView("GenerateUpdate"), 3 * estimatedSize(table), failure,
        [&](QString& out) { buildUpdate(out, table, specialMTSHandling, generated, text); });
}

QString GenerateInsert(const CTable& table, bool specialMTSHandling, const QDateTime& generated,
                       QString* failure, AuditText text)
{
    return templates::guardedBuild(
        QLatin1StringView("GenerateInsert"), estimatedSize(table), failure, [&](QString& out) {
            buildInsertOrDelete(out, table, Action::Insert, specialMTSHandling, generated, text);
        });
}

QString GenerateDelete(const CTable& table, bool specialMTSHandling, const QDateTime& generated,
                       QString* failure, AuditText text)
{
    return templates::guardedBuild(
        QLatin1StringView("GenerateDelete"), estimatedSize(table), failure, [&](QString& out) {
            buildInsertOrDelete(out, table, Action::Delete, specialMTSHandling, generated, text);
        });
}

bool HasLongName(const CTable& table)
{
    return !audit::fitsSourceTable(table.QualifiedName());
}

bool HasLongKey(const CTable& table, AuditText text)
{
    return table.KeyTextEstimate() > audit::keyValuesLength(text == AuditText::Unicode);
}

QString GenerateRemove(const CTable& table, QString* failure)
{
    return templates::guardedBuild(
        QLatin1StringView("GenerateRemove"), 1536 + 15 * table.QualifiedName().size(), failure,
        [&](QString& out) {
            if (SqlQuoting::hasControl(table.TableName) || SqlQuoting::hasControl(table.Schema))
                throw Error(Error::InvalidArgument,
                            QStringLiteral("Table %1 has a line break or other control character "
                                           "in its name!")
                                .arg(table.QualifiedName()));
            const QString name = CleanTriggerName(table.TableName);
            appendDropSection(out, table, name, suffixOf(Action::Insert));
            appendDropSection(out, table, name, suffixOf(Action::Update));
            appendDropSection(out, table, name, suffixOf(Action::Delete));
        });
}

} // namespace tallix
