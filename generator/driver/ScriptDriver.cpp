#include "generator/driver/ScriptDriver.h"

#include "common/base/Error.h"
#include "common/base/Messages.h"
#include "common/base/Version.h"
#include "generator/project/Project.h"
#include "generator/templates/Templates.h"

#include <cmath>

namespace tallix {

namespace {

constexpr QLatin1StringView kCrLf("\r\n");

void reportFailure(const QString& routine, const QString& description)
{
    messages().showMessage(QStringLiteral("Error (") + routine + QStringLiteral(") - ") +
                               description,
                           generatorTitle(), IMessages::Icon::Critical);
}

} // namespace

// One audited action: its letter in the status grid, its name in messages and
// the template that writes its trigger.
struct ScriptDriver::Action {
    QLatin1StringView letter;
    QLatin1StringView name;
    QString (*generate)(const CTable&, bool specialMTSHandling, const QDateTime& generated);
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
    return static_cast<int>(text.count(kCrLf));
}

QString ScriptDriver::NoPrimaryKeyBlock(const QString& tableName)
{
    return QStringLiteral("\r\n\r\n-- ERROR: ") + tableName +
           QStringLiteral(" does not have any primary key!!!\r\nPRINT '<<< ERROR: ") + tableName +
           QStringLiteral(" does not have any primary key!!!'\r\n\r\n");
}

QString ScriptDriver::GenerateScript(const Project& project)
{
    return guarded(QStringLiteral("GenerateScript"), [&] { return buildScript(project); });
}

QString ScriptDriver::GenerateRemoveScript(const Project& project)
{
    return guarded(QStringLiteral("GenerateRemoveScript"),
                   [&] { return buildRemoveScript(project); });
}

QString ScriptDriver::guarded(const QString& routine, const std::function<QString()>& build)
{
    try {
        return build();
    } catch (const Error& e) {
        reportFailure(routine, e.description());
    } catch (const std::exception& e) {
        reportFailure(routine, QString::fromLocal8Bit(e.what()));
    }
    m_observer.HideProgress();
    return {};
}

QString ScriptDriver::scriptStart(const Project& project)
{
    m_observer.ResetStatus();
    m_generated = m_clock();
    QString script = ScriptHeader(m_generated);
    script += QLatin1StringView("USE [");
    script += project.DB();
    script += QLatin1StringView("]\r\nGO\r\n\r\n");
    return script;
}

void ScriptDriver::reportProgress(int done, int total)
{
    m_observer.SetProgress(static_cast<int>(std::lround(done * 100.0 / total)));
}

QString ScriptDriver::buildScript(const Project& project)
{
    QString script = scriptStart(project);
    script += CreationBlock();
    m_observer.ShowProgress(0);

    const CTables& tables = project.Tables();
    const int total = tables.Count();
    int done = 0;
    for (const CTable& table : tables) {
        m_observer.ProcessEvents();
        if (!table.LargeKey) {
            int count = 0;
            if (table.Insert)
                appendAction(script, table, project, kInsert, count);
            if (table.Update)
                appendAction(script, table, project, kUpdate, count);
            if (table.Delete)
                appendAction(script, table, project, kDelete, count);
        }
        reportProgress(++done, total);
        m_observer.ProcessEvents();
    }
    m_observer.HideProgress();
    return script;
}

void ScriptDriver::appendAction(QString& script, const CTable& table, const Project& project,
                                const Action& action, int& count)
{
    const QString& name = table.TableName;
    const QString letter = action.letter;
    m_observer.UpdateStatus(name, letter, QStringLiteral("Generating"), count);
    if (!table.HasPrimaryKey()) {
        script += NoPrimaryKeyBlock(name);
        m_observer.UpdateStatus(
            name, letter, QStringLiteral("Error : Table does not have any primary key!"), count);
        return;
    }
    const QString trigger = action.generate(table, project.SpecialMTSHandling(), m_generated);
    if (trigger.isEmpty()) {
        m_observer.UpdateStatus(name, letter, QStringLiteral("Error : Trigger could not be built!"),
                                count);
        throw Error(0, QStringLiteral("The %1 trigger of table %2 could not be built; no script "
                                      "was produced.")
                           .arg(QString(action.name), name));
    }
    script += trigger;
    count += LineCount(trigger);
    m_observer.UpdateStatus(name, letter, QStringLiteral("Complete"), count);
}

QString ScriptDriver::buildRemoveScript(const Project& project)
{
    QString script = scriptStart(project);
    m_observer.ShowProgress(0);
    const CTables& tables = project.Tables();
    const int total = tables.Count();
    int done = 0;
    for (const CTable& table : tables) {
        const QString block = GenerateRemove(table);
        if (block.isEmpty())
            throw Error(0, QStringLiteral("The triggers of table %1 could not be dropped in the "
                                          "script; no script was produced.")
                               .arg(table.TableName));
        script += block;
        reportProgress(++done, total);
        m_observer.ProcessEvents();
    }
    script += kCrLf;
    script += kCrLf;
    const QString drops = GenerateTableDrops();
    if (drops.isEmpty())
        throw Error(0, QStringLiteral("The audit tables could not be dropped in the script; no "
                                      "script was produced."));
    script += drops;
    m_observer.HideProgress();
    return script;
}

} // namespace tallix
