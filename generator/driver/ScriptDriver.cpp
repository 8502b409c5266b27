#include "generator/driver/ScriptDriver.h"

#include "common/audit/SqlQuoting.h"
#include "common/audit/TableNames.h"
#include "common/base/Error.h"
#include "generator/project/Project.h"
#include "generator/templates/Templates.h"

#include <QHash>
#include <cmath>

namespace tallix {

// One audited action: its letter in the status grid, its name in messages and
// the template that writes its trigger.
struct ScriptDriver::Action {
    QLatin1StringView letter;
    QLatin1StringView name;
    QString (*generate)(const CTable&, bool specialMTSHandling, const QDateTime& generated,
                        QString* failure, AuditText text);
};

namespace {
constexpr ScriptDriver::Action kInsert{QLatin1StringView("I"), QLatin1StringView("insert"),
                                       &GenerateInsert};
constexpr ScriptDriver::Action kUpdate{QLatin1StringView("U"), QLatin1StringView("update"),
                                       &GenerateUpdate};
constexpr ScriptDriver::Action kDelete{QLatin1StringView("D"), QLatin1StringView("delete"),
                                       &GenerateDelete};
} // namespace

ScriptDriver::ScriptDriver(IScriptObserver& observer, Clock clock)
    : m_observer(observer)
    , m_clock(std::move(clock))
{}

int ScriptDriver::LineCount(const QString& text)
{
    // Line feeds are found by the fast character search, and each is checked for
    // its carriage return; a general substring search cost more than the rest of a run.
    int count = 0;
    for (qsizetype at = text.indexOf(u'\n', 1); at > 0; at = text.indexOf(u'\n', at + 1)) {
        if (text[at - 1] == u'\r')
            ++count;
    }
    return count;
}

namespace {

// Two empty lines, the comment, the PRINT and an empty line.
QString errorBlock(const QString& tableName, QLatin1StringView reason)
{
    QString out = QStringLiteral("\r\n\r\n-- ERROR: ");
    SqlQuoting::appendComment(out, tableName);
    out += QLatin1Char(' ');
    out += reason;
    out += QLatin1StringView("\r\nPRINT '<<< ERROR: ");
    SqlQuoting::appendLiteral(out, tableName);
    out += QLatin1Char(' ');
    out += reason;
    out += QLatin1StringView("'\r\n\r\n");
    return out;
}

AuditText auditTextOf(const Project& project)
{
    return project.UnicodeAuditData() ? AuditText::Unicode : AuditText::Narrow;
}

// Whether the audit script writes at least one trigger for the table.
bool getsTriggers(const CTable& table)
{
    return !table.LargeKey && (table.Insert || table.Update || table.Delete) &&
           table.HasPrimaryKey() && !HasLongName(table) && !HasControlInNames(table);
}

void checkDatabaseName(const Project& project)
{
    // Without a name the script would start with "USE []", which fails on every server and
    // leaves the rest to run in whatever database the connection happens to be in.
    if (project.DB().trimmed().isEmpty())
        throw Error(Error::InvalidArgument,
                    QStringLiteral("The project names no database; no script was produced."));
    if (SqlQuoting::hasControl(project.DB()))
        throw Error(Error::InvalidArgument,
                    QStringLiteral("The database name holds a line break or other control "
                                   "character; no script was produced."));
}

// The second table's drop sections would remove the first one's triggers and
// leave that table unaudited without a word. Triggers live in their table's schema, so only names
// in one schema collide. Two tables that record one name ("a.b" in dbo and "b" in schema "a")
// would mix their audit rows and keys, so they are refused as well.
void checkTriggerNames(const CTables& tables)
{
    QHash<std::pair<QString, QString>, const CTable*> seen;
    QHash<QString, const CTable*> recorded;
    for (const CTable& table : tables) {
        if (!getsTriggers(table))
            continue;
        const QString name = CleanTriggerName(table.TableName);
        const CTable*& first = seen[{table.Schema.toCaseFolded(), name.toCaseFolded()}];
        if (first)
            throw Error(Error::InvalidArgument,
                        QStringLiteral("The tables \"%1\" and \"%2\" give the same trigger names "
                                       "(%3TallixInsert, %3TallixUpdate, %3TallixDelete), so the "
                                       "one would drop the other's triggers; no script was "
                                       "produced.")
                            .arg(first->QualifiedName(), table.QualifiedName(), name));
        first = &table;
        const CTable*& same = recorded[table.QualifiedName().toCaseFolded()];
        if (same)
            throw Error(Error::InvalidArgument,
                        QStringLiteral("The tables \"%1\" of schema \"%2\" and \"%3\" of schema "
                                       "\"%4\" would be recorded under the same name, so their "
                                       "audit rows could not be told apart; no script was "
                                       "produced.")
                            .arg(same->TableName, audit::schemaOrDefault(same->Schema),
                                 table.TableName, audit::schemaOrDefault(table.Schema)));
        same = &table;
    }
}

} // namespace

QString ScriptDriver::NoPrimaryKeyBlock(const QString& tableName)
{
    return errorBlock(tableName, QLatin1StringView("does not have any primary key!!!"));
}

QString ScriptDriver::LongNameBlock(const QString& tableName)
{
    return errorBlock(tableName, QLatin1StringView("has a name longer than 64 characters, this "
                                                   "table can not be audited!"));
}

QString ScriptDriver::LongKeyBlock(const QString& tableName)
{
    return errorBlock(tableName, QLatin1StringView("has a key that can be longer than 450 "
                                                   "characters, this table can not be audited!"));
}

QString ScriptDriver::ControlCharacterBlock(const QString& tableName)
{
    return errorBlock(tableName,
                      QLatin1StringView("has a line break or other control character in its name "
                                        "or a column name, this table can not be audited!"));
}

QString ScriptDriver::GenerateScript(const Project& project)
{
    StringScriptSink sink;
    return GenerateScript(project, sink) ? sink.take() : QString();
}

bool ScriptDriver::GenerateScript(const Project& project, IScriptSink& sink)
{
    return guarded(QStringLiteral("GenerateScript"), [&] { buildScript(project, sink); });
}

QString ScriptDriver::GenerateRemoveScript(const Project& project)
{
    StringScriptSink sink;
    return GenerateRemoveScript(project, sink) ? sink.take() : QString();
}

bool ScriptDriver::GenerateRemoveScript(const Project& project, IScriptSink& sink)
{
    return guarded(QStringLiteral("GenerateRemoveScript"),
                   [&] { buildRemoveScript(project, sink); });
}

bool ScriptDriver::guarded(const QString& routine, const std::function<void()>& build)
{
    m_failures.clear();
    QString description;
    try {
        build();
        return true;
    } catch (const ScriptSinkError&) {
        m_observer.HideProgress();
        throw;
    } catch (const Error& e) {
        description = e.description();
    } catch (const std::exception& e) {
        description = QString::fromLocal8Bit(e.what());
    }
    m_failures << QStringLiteral("Error (") + routine + QStringLiteral(") - ") + description;
    m_observer.HideProgress();
    return false;
}

void ScriptDriver::noteFailure(const QString& failure)
{
    if (!failure.isEmpty())
        m_failures << failure;
}

void ScriptDriver::scriptStart(const Project& project, IScriptSink& sink)
{
    m_observer.ResetStatus();
    m_generated = m_clock();
    QString start = ScriptHeader(m_generated);
    start += QLatin1StringView("USE [");
    SqlQuoting::appendBracketed(start, project.DB());
    start += QLatin1StringView("]\r\nGO\r\n\r\n");
    sink.append(start);
}

void ScriptDriver::reportProgress(int done, int total)
{
    m_observer.SetProgress(static_cast<int>(std::lround(done * 100.0 / total)));
}

void ScriptDriver::buildScript(const Project& project, IScriptSink& sink)
{
    // Checked before anything is written: a script may go straight to a device.
    checkDatabaseName(project);
    checkTriggerNames(project.Tables());
    scriptStart(project, sink);
    sink.append(CreationBlock(auditTextOf(project)));
    m_observer.ShowProgress(0);

    const CTables& tables = project.Tables();
    const int total = tables.Count();
    int done = 0;
    for (const CTable& table : tables) {
        m_observer.ProcessEvents();
        if (!table.LargeKey) {
            int count = 0;
            if (table.Insert)
                appendAction(sink, table, project, kInsert, count);
            if (table.Update)
                appendAction(sink, table, project, kUpdate, count);
            if (table.Delete)
                appendAction(sink, table, project, kDelete, count);
        }
        reportProgress(++done, total);
        m_observer.ProcessEvents();
    }
    m_observer.HideProgress();
}

void ScriptDriver::appendAction(IScriptSink& sink, const CTable& table, const Project& project,
                                const Action& action, int& count)
{
    const QString name = table.QualifiedName();
    const QString letter = action.letter;
    m_observer.UpdateStatus(name, letter, QStringLiteral("Generating"), count);
    if (!table.HasPrimaryKey()) {
        sink.append(NoPrimaryKeyBlock(name));
        m_observer.UpdateStatus(
            name, letter, QStringLiteral("Error : Table does not have any primary key!"), count);
        return;
    }
    if (HasLongName(table)) {
        sink.append(LongNameBlock(name));
        m_observer.UpdateStatus(name, letter,
                                QStringLiteral("Error : Table name is longer than 64 characters!"),
                                count);
        return;
    }
    if (project.UnicodeAuditData() && HasLongKey(table, AuditText::Unicode)) {
        sink.append(LongKeyBlock(name));
        m_observer.UpdateStatus(
            name, letter, QStringLiteral("Error : Key can be longer than 450 characters!"), count);
        return;
    }
    if (HasControlInNames(table)) {
        sink.append(ControlCharacterBlock(name));
        m_observer.UpdateStatus(
            name, letter,
            QStringLiteral("Error : Table or column name holds a line break or control character!"),
            count);
        return;
    }
    QString failure;
    const QString trigger = action.generate(table, project.SpecialMTSHandling(), m_generated,
                                            &failure, auditTextOf(project));
    if (trigger.isEmpty()) {
        noteFailure(failure);
        m_observer.UpdateStatus(name, letter, QStringLiteral("Error : Trigger could not be built!"),
                                count);
        throw Error(0, QStringLiteral("The %1 trigger of table %2 could not be built; no script "
                                      "was produced.")
                           .arg(QString(action.name), name));
    }
    sink.append(trigger);
    count += LineCount(trigger);
    m_observer.UpdateStatus(name, letter, QStringLiteral("Complete"), count);
}

void ScriptDriver::buildRemoveScript(const Project& project, IScriptSink& sink)
{
    checkDatabaseName(project);
    scriptStart(project, sink);
    m_observer.ShowProgress(0);
    const CTables& tables = project.Tables();
    const int total = tables.Count();
    int done = 0;
    for (const CTable& table : tables) {
        // No trigger can exist for such a name: none was ever written for it.
        if (SqlQuoting::hasControl(table.TableName) || SqlQuoting::hasControl(table.Schema)) {
            sink.append(ControlCharacterBlock(table.QualifiedName()));
        } else {
            QString failure;
            const QString block = GenerateRemove(table, &failure);
            if (block.isEmpty()) {
                noteFailure(failure);
                throw Error(0, QStringLiteral("The triggers of table %1 could not be dropped in "
                                              "the script; no script was produced.")
                                   .arg(table.QualifiedName()));
            }
            sink.append(block);
        }
        reportProgress(++done, total);
        m_observer.ProcessEvents();
    }
    QString failure;
    const QString drops = GenerateTableDrops(&failure);
    if (drops.isEmpty()) {
        noteFailure(failure);
        throw Error(0, QStringLiteral("The audit tables could not be dropped in the script; no "
                                      "script was produced."));
    }
    sink.append(u"\r\n\r\n");
    sink.append(drops);
    m_observer.HideProgress();
}

} // namespace tallix
