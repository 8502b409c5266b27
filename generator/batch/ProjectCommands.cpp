#include "generator/batch/ProjectCommands.h"

#include "common/audit/SqlQuoting.h"
#include "common/base/Error.h"
#include "common/db/Connection.h"
#include "common/settings/ConnectionString.h"
#include "common/settings/Servers.h"
#include "generator/batch/TablePatterns.h"
#include "generator/discovery/ProjectRefresh.h"
#include "generator/discovery/SchemaDiscovery.h"
#include "generator/project/Project.h"
#include "generator/project/ProjectFile.h"
#include "generator/selection/TableSelection.h"

namespace tallix {

namespace {

void print(std::FILE* file, const QString& text)
{
    const QByteArray bytes = (text + QLatin1Char('\n')).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
    std::fflush(file);
}

// Discovery's own warnings do not name their table; the reasons of TableSelection, printed after
// the load, do.
class QuietObserver : public IDiscoveryObserver {};

// A text as one line: a name holding a line break cannot forge another message.
QString oneLine(const QString& text)
{
    QString out;
    SqlQuoting::appendComment(out, text);
    return out;
}

const Server* registeredServer(const Servers& servers, const QString& name)
{
    for (const Server& s : servers) {
        if (s.ServerName.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    }
    return nullptr;
}

// Reads the database's tables whole, measuring keys against the key column of the chosen
// layout; a failure is put in `failure`.
bool discover(const ConnectionChoice& c, bool unicode, CTables& tables, QString& failure)
{
    QuietObserver observer;
    SchemaDiscovery discovery(observer);
    discovery.setUnicodeKeys(unicode);
    Connection connection(BuildConnectionString(c.server, c.database, c.login, c.password));
    if (discovery.ReplaceTables(tables, connection) != SchemaDiscovery::Result::Loaded) {
        failure = discovery.Failure();
        return false;
    }
    return true;
}

// Tables that cannot be audited, and the columns of audited tables that are not recorded, as the
// grids explain them.
void reportUnauditable(const CTables& tables, std::FILE* err)
{
    for (const CTable& t : tables) {
        if (t.LargeKey) {
            print(err, QStringLiteral("warning: ") + oneLine(TableSelection::tableRow(t).reason));
            continue;
        }
        if (!(t.Insert || t.Update || t.Delete))
            continue;
        for (const FieldRow& row : TableSelection::fieldRows(t)) {
            if (row.marked)
                print(err, QStringLiteral("note: %1: %2")
                               .arg(oneLine(t.QualifiedName()), oneLine(row.reason)));
        }
    }
}

int runDiscover(const CommandLine& cl, const Servers& servers, std::FILE* err)
{
    const ConnectionChoice c = chooseConnection(cl, {}, servers);
    CTables tables;
    QString failure;
    if (!discover(c, cl.unicode, tables, failure)) {
        print(err, failure);
        return 1;
    }
    const TablePatterns patterns(cl.includes, cl.excludes);
    const bool anyAction = cl.auditInsert || cl.auditUpdate || cl.auditDelete;
    int chosen = 0;
    for (CTable& t : tables) {
        // A large-key table cannot be chosen in the window either.
        if (t.LargeKey || !patterns.chosen(t.Schema, t.TableName))
            continue;
        t.Insert = !anyAction || cl.auditInsert;
        t.Update = !anyAction || cl.auditUpdate;
        t.Delete = !anyAction || cl.auditDelete;
        ++chosen;
    }
    if (chosen == 0 && (!cl.includes.isEmpty() || !cl.excludes.isEmpty()))
        print(err, QStringLiteral("warning: no table matches the patterns; the project audits "
                                  "none."));
    reportUnauditable(tables, err);

    Project project;
    project.setServer(c.server);
    project.setDB(c.database);
    project.setUserID(c.login);
    project.setPassword(c.password);
    project.setSpecialMTSHandling(cl.mts);
    project.setUnicodeAuditData(cl.unicode);
    project.setSpecialSQL2000Handling(true);
    project.Tables() = std::move(tables);
    try {
        ProjectFile::write(cl.projectPath, project.Save());
    } catch (const Error& e) {
        print(err, QStringLiteral("The project could not be written to %1: %2")
                       .arg(cl.projectPath, e.description()));
        return 1;
    }
    return 0;
}

int runRefresh(const CommandLine& cl, const Servers& servers, std::FILE* out, std::FILE* err)
{
    Project project;
    try {
        const Project::ReadResult read = ProjectFile::load(cl.refreshPath, project);
        if (!read.complete) {
            // Rewriting a project read in part would lose the rest of it.
            print(err, QStringLiteral("Load Project Failed! - ") + read.message() +
                           QStringLiteral(" The project was not refreshed."));
            return 1;
        }
    } catch (const Error& e) {
        print(err, QStringLiteral("Load Project Failed! - ") + e.description());
        return 1;
    }
    const ConnectionChoice c = chooseConnection(
        cl, {project.Server(), project.DB(), project.UserID(), project.Password()}, servers);
    if (!isServerChosen(c.server) || c.database.trimmed().isEmpty()) {
        print(err, QStringLiteral("The project names no server or database; give --server and "
                                  "--database."));
        return 1;
    }
    CTables database;
    QString failure;
    if (!discover(c, project.UnicodeAuditData(), database, failure)) {
        print(err, failure);
        return 1;
    }
    if (cl.dryRun) {
        for (const QString& line : TableChanges(project.Tables(), database))
            print(out, line);
        return 0;
    }
    // Only the tables change: options given for this run do not move the project elsewhere.
    const QStringList changes = RefreshTables(project.Tables(), database);
    reportUnauditable(project.Tables(), err);
    try {
        ProjectFile::write(cl.refreshPath, project.Save());
    } catch (const Error& e) {
        print(err, QStringLiteral("The project could not be written to %1: %2")
                       .arg(cl.refreshPath, e.description()));
        return 1;
    }
    for (const QString& line : changes)
        print(out, line);
    return 0;
}

} // namespace

bool isProjectCommand(const CommandLine& commandLine)
{
    return (commandLine.discover || commandLine.refresh) && commandLine.error.isEmpty() &&
           !commandLine.help && !commandLine.version;
}

ConnectionChoice chooseConnection(const CommandLine& cl, const ConnectionChoice& project,
                                  const Servers& registered)
{
    ConnectionChoice c;
    c.server = cl.server.value_or(project.server);
    c.database = cl.database.value_or(project.database);
    if (cl.login) {
        c.login = *cl.login;
        c.password = cl.password.value_or(QString());
    } else if (!project.server.isEmpty() &&
               c.server.compare(project.server, Qt::CaseInsensitive) == 0) {
        c.login = project.login;
        c.password = cl.password.value_or(project.password);
    } else if (const Server* server = registeredServer(registered, c.server)) {
        c.login = server->UserID;
        c.password = cl.password.value_or(server->Password);
    } else {
        c.password = cl.password.value_or(QString());
    }
    return c;
}

int RunProjectCommand(const CommandLine& commandLine, const Servers& servers, std::FILE* out,
                      std::FILE* err)
{
    if (!isProjectCommand(commandLine)) {
        print(err, commandLine.error.isEmpty() ? CommandLine::usage() : commandLine.error);
        return 2;
    }
    return commandLine.discover ? runDiscover(commandLine, servers, err)
                                : runRefresh(commandLine, servers, out, err);
}

} // namespace tallix
