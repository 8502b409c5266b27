#include "viewer/cli/CommandLine.h"

#include "common/base/Error.h"
#include "common/base/Version.h"
#include "common/settings/ConnectionString.h"
#include "viewer/cli/Csv.h"
#include "viewer/cli/ReportCommand.h"
#include "viewer/cli/RestoreCommands.h"
#include "viewer/query/LogQuery.h"

namespace tallix::cli {

namespace {

QCommandLineOption valued(const char* name, const char* description, const char* value)
{
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description),
                              QString::fromLatin1(value));
}

// The connection and filter options every command shares.
QList<QCommandLineOption> sharedOptions()
{
    return {
        valued("server",
               "Registered server name, SQL Server instance or SQLite server folder "
               "(default: the registered default server).",
               "name"),
        valued("database", "Database (default: the server's default database).", "name"),
        valued("login", "SQL login (default: the registered server's; none = integrated).", "id"),
        valued("password", "Password of the login.", "text"),
        valued("table", "Only rows of this audited table.", "name"),
        valued("type", "Only Insert, Update or Delete rows.", "type"),
        valued("user", "Only rows of this user.", "name"),
        valued("workstation", "Only rows from this workstation.", "name"),
        valued("application", "Only rows from this application.", "name"),
        valued("from", "Only rows from this moment on (yyyy-MM-dd[THH:mm[:ss]]).", "time"),
        valued("to", "Only rows before the day after this moment.", "time"),
        valued("key", "Only rows whose key text contains this text.", "text"),
        valued("max", "At most this many rows, newest first (0 = all).", "n"),
        QCommandLineOption(QStringLiteral("all-fields"),
                           QStringLiteral("Details and restore texts of all recorded columns, "
                                          "changed or not (the window's Show All Fields).")),
        QCommandLineOption(QStringLiteral("current"),
                           QStringLiteral("Details with the audited row's current values.")),
    };
}

QDateTime parseMoment(const QString& option, const QString& text)
{
    const QString t = text.trimmed();
    for (const char* format : {"yyyy-MM-ddTHH:mm:ss", "yyyy-MM-ddTHH:mm", "yyyy-MM-dd HH:mm:ss",
                               "yyyy-MM-dd HH:mm", "yyyy-MM-dd"}) {
        const QDateTime when = QDateTime::fromString(t, QString::fromLatin1(format));
        if (when.isValid())
            return when;
    }
    throw UsageError{
        QStringLiteral("--%1: \"%2\" is no date (yyyy-MM-dd[THH:mm[:ss]]).").arg(option, text)};
}

const Server* registered(const Servers& servers, const QString& name)
{
    const Server* found = nullptr;
    for (const Server& s : servers) {
        if (name.isEmpty() ? s.IsDefault : s.ServerName.compare(name, Qt::CaseInsensitive) == 0)
            found = &s; // with several defaults the last one wins, as in the window
    }
    return found;
}

} // namespace

Invocation::Invocation(const QCommandLineParser& parser, const Servers& servers, QTextStream& out,
                       QTextStream& err)
    : m_parser(parser)
    , m_servers(servers)
    , m_out(out)
    , m_err(err)
{}

QString Invocation::connectionString() const
{
    const QString name = m_parser.value(QStringLiteral("server"));
    const Server* entry = registered(m_servers, name);
    const QString server = name.isEmpty() && entry ? entry->ServerName : name;
    QString database = m_parser.value(QStringLiteral("database"));
    if (!m_parser.isSet(QStringLiteral("database")) && entry)
        database = entry->DefaultDatabase;
    QString login = m_parser.value(QStringLiteral("login"));
    QString password = m_parser.value(QStringLiteral("password"));
    if (!m_parser.isSet(QStringLiteral("login")) && entry) {
        login = entry->UserID;
        if (!m_parser.isSet(QStringLiteral("password")))
            password = entry->Password;
    }
    return BuildConnectionString(server, database, login, password);
}

LogFilters Invocation::filters() const
{
    LogFilters f;
    const auto value = [this](const char* name) {
        return m_parser.value(QString::fromLatin1(name));
    };
    f.table = value("table");
    const QString type = value("type");
    if (!type.isEmpty()) {
        for (const char* known : {"Insert", "Update", "Delete"}) {
            const QString name = QString::fromLatin1(known);
            if (type.compare(name, Qt::CaseInsensitive) == 0 ||
                type.compare(name.left(1), Qt::CaseInsensitive) == 0)
                f.transactionType = name;
        }
        if (f.transactionType.isEmpty())
            throw UsageError{
                QStringLiteral("--type: \"%1\" is none of Insert, Update, Delete.").arg(type)};
    }
    f.user = value("user");
    f.workstation = value("workstation");
    f.application = value("application");
    if (m_parser.isSet(QStringLiteral("from")))
        f.from = parseMoment(QStringLiteral("from"), value("from"));
    if (m_parser.isSet(QStringLiteral("to")))
        f.to = parseMoment(QStringLiteral("to"), value("to"));
    f.keyContains = value("key");
    return f;
}

int Invocation::maxRecords() const
{
    if (!m_parser.isSet(QStringLiteral("max")))
        return 0;
    return logquery::MaxRecords(m_parser.value(QStringLiteral("max")));
}

namespace {

int runList(const Invocation& call)
{
    const QString cs = call.connectionString();
    const QString sql = logquery::SelectText(call.filters(), cs);
    const int max = call.maxRecords();
    call.out() << csvTable(logquery::FetchLog(cs, sql, max));
    return 0;
}

int runPrintQuery(const Invocation& call)
{
    call.out() << logquery::SelectText(call.filters(), call.connectionString()) << '\n';
    return 0;
}

} // namespace

const QList<Command>& commands()
{
    static const QList<Command> list{
        {QCommandLineOption(QStringLiteral("list"),
                            QStringLiteral("Print the audit rows as CSV with a header line.")),
         runList},
        {QCommandLineOption(QStringLiteral("print-query"),
                            QStringLiteral("Print the SELECT text that --list runs.")),
         runPrintQuery},
        {valued("details", "Print the details of one audit row as CSV.", "logid"), runDetails},
        {valued("restore", "Print the restore text of one audit row.", "logid"), runRestore},
        {valued("restore-script",
                "Write one restore script of the audit rows whose LogIDs follow, in that order.",
                "file"),
         runRestoreScript, true},
        {valued("report",
                "Run a report, transactions (the rows of the filters, without a row limit) or "
                "aggregate (counts per table), and write it to the --export file.",
                "name"),
         runReport, false, reportOptions()},
    };
    return list;
}

bool IsCommandLine(const QStringList& arguments)
{
    for (const QString& a : arguments) {
        if (a.startsWith(QLatin1String("--")) || a == QLatin1String("-h") ||
            a == QLatin1String("-?"))
            return true;
    }
    return false;
}

int Run(const QStringList& arguments, const Servers& servers, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tallix Viewer: lists audit rows. Without options the window opens."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Show the version."));
    parser.addOption(help);
    parser.addOption(version);
    for (const Command& c : commands()) {
        parser.addOption(c.option);
        parser.addOptions(c.options);
    }
    parser.addOptions(sharedOptions());

    const auto usage = [&](const QString& text) {
        err << "tallixview: " << text << '\n' << "Try 'tallixview --help'.\n";
        err.flush();
        return 2;
    };
    if (!parser.parse(QStringList{QStringLiteral("tallixview")} + arguments))
        return usage(parser.errorText());
    if (parser.isSet(help)) {
        out << parser.helpText();
        return 0;
    }
    if (parser.isSet(version)) {
        out << "tallixview " << versionText() << '\n';
        return 0;
    }
    const Command* chosen = nullptr;
    for (const Command& c : commands()) {
        if (parser.isSet(c.option.names().constFirst())) {
            if (chosen)
                return usage(
                    QStringLiteral("--%1 and --%2 cannot be combined.")
                        .arg(chosen->option.names().constFirst(), c.option.names().constFirst()));
            chosen = &c;
        }
    }
    if (!chosen)
        return usage(QStringLiteral("No action given."));
    if (!chosen->takesArguments && !parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("Unexpected argument \"%1\".")
                         .arg(parser.positionalArguments().constFirst()));
    Invocation call(parser, servers, out, err);
    try {
        const int status = chosen->run(call);
        out.flush();
        return status;
    } catch (const UsageError& e) {
        return usage(e.text);
    } catch (const Error& e) {
        out.flush();
        err << "tallixview: " << logquery::FailureText(e) << '\n';
        err.flush();
        return 1;
    }
}

} // namespace tallix::cli
