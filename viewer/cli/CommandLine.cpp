#include "viewer/cli/CommandLine.h"

#include "common/base/Error.h"
#include "common/base/Version.h"
#include "common/db/SqliteStandIn.h"
#include "common/settings/ConnectionString.h"
#include "viewer/cli/Csv.h"
#include "viewer/cli/ReportCommand.h"
#include "viewer/cli/RestoreCommands.h"
#include "viewer/query/LogQuery.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <limits>

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
        valued("from",
               "Only rows from this moment on (yyyy-MM-dd[THH:mm[:ss]], from 1753-01-01 to "
               "9999-12-31).",
               "time"),
        valued("to", "Only rows before this moment; a date alone means through that day.", "time"),
        valued("key",
               "Only rows whose key text, as --list shows it, contains this text (taken "
               "literally).",
               "text"),
        valued("max", "At most this many rows, newest first (a whole number; 0 = all).", "n"),
        QCommandLineOption(QStringLiteral("all-fields"),
                           QStringLiteral("Details and restore texts of all recorded columns, "
                                          "changed or not (the window's Show All Fields).")),
        QCommandLineOption(QStringLiteral("current"),
                           QStringLiteral("Details with the audited row's current values.")),
    };
}

// A date, or a date and a time of day, as --from and --to take them.
struct Moment {
    QDateTime when;
    bool hasTime = false;
};

Moment parseMoment(const QString& option, const QString& text)
{
    // Four-digit years only: Qt would also take a sign or a fifth digit.
    static const QRegularExpression shape(
        QStringLiteral("^([0-9]{4}-[0-9]{2}-[0-9]{2})(?:[T ]([0-9]{2}:[0-9]{2})(:[0-9]{2})?)?$"));
    const QRegularExpressionMatch m = shape.match(text.trimmed());
    Moment moment;
    if (m.hasMatch()) {
        const QDate day = QDate::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd"));
        moment.hasTime = m.hasCaptured(2);
        const QTime time =
            !moment.hasTime ? QTime(0, 0)
            : m.hasCaptured(3)
                ? QTime::fromString(m.captured(2) + m.captured(3), QStringLiteral("HH:mm:ss"))
                : QTime::fromString(m.captured(2), QStringLiteral("HH:mm"));
        // A QDateTime would take an invalid time as midnight.
        if (time.isValid())
            moment.when = QDateTime(day, time);
    }
    if (!moment.when.isValid())
        throw UsageError{
            QStringLiteral("--%1: \"%2\" is no date (yyyy-MM-dd[THH:mm[:ss]]).").arg(option, text)};
    if (!logquery::InServerRange(moment.when))
        throw UsageError{QStringLiteral("--%1: \"%2\" is outside the server's dates (1753-01-01 "
                                        "to 9999-12-31).")
                             .arg(option, text)};
    return moment;
}

const Server* registered(const Servers& servers, const QString& name)
{
    if (name.isEmpty())
        return servers.DefaultServer();
    const Server* found = nullptr;
    for (const Server& s : servers) {
        if (s.ServerName.compare(name, Qt::CaseInsensitive) == 0)
            found = &s;
    }
    return found;
}

// Where the connection options point, with what a registered server supplies.
struct Target {
    QString server, database, login, password;
};

Target target(const QCommandLineParser& parser, const Servers& servers)
{
    const QString name = parser.value(QStringLiteral("server"));
    const Server* entry = registered(servers, name);
    Target t;
    t.server = name.isEmpty() && entry ? entry->ServerName : name;
    t.database = parser.value(QStringLiteral("database"));
    if (!parser.isSet(QStringLiteral("database")) && entry)
        t.database = entry->DefaultDatabase;
    t.login = parser.value(QStringLiteral("login"));
    t.password = parser.value(QStringLiteral("password"));
    if (!parser.isSet(QStringLiteral("login")) && entry) {
        t.login = entry->UserID;
        if (!parser.isSet(QStringLiteral("password")))
            t.password = entry->Password;
    }
    return t;
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
    const Target t = target(m_parser, m_servers);
    if (t.server.isEmpty())
        throw UsageError{QStringLiteral("--server is required: no default server is registered.")};
    if (t.database.isEmpty())
        throw UsageError{QStringLiteral("--database is required.")};
    const std::optional<QString> folder = SqliteFolderOf(t.server);
    if (folder && !QFileInfo(*folder).isDir())
        throw Error(Error::FileNotFound, QStringLiteral("no such server folder: %1").arg(t.server));
    return BuildConnectionString(t.server, t.database, t.login, t.password);
}

QString Invocation::connectionStringForText() const
{
    const Target t = target(m_parser, m_servers);
    return BuildConnectionString(t.server, t.database, t.login, t.password);
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
        f.from = parseMoment(QStringLiteral("from"), value("from")).when;
    if (m_parser.isSet(QStringLiteral("to"))) {
        const Moment to = parseMoment(QStringLiteral("to"), value("to"));
        if (to.hasTime)
            f.before = to.when;
        else
            f.to = to.when; // through that day, as the window's To picker
    }
    f.keyContains = value("key");
    return f;
}

int Invocation::maxRecords() const
{
    if (!m_parser.isSet(QStringLiteral("max")))
        return 0;
    const QString text = m_parser.value(QStringLiteral("max"));
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    if (!digits.match(text.trimmed()).hasMatch())
        throw UsageError{
            QStringLiteral("--max: \"%1\" is not a whole number of 0 or more.").arg(text)};
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    if (!ok || n > std::numeric_limits<int>::max())
        throw UsageError{QStringLiteral("--max: \"%1\" is too large (at most %2).")
                             .arg(text)
                             .arg(std::numeric_limits<int>::max())};
    return static_cast<int>(n);
}

namespace {

int runList(const Invocation& call)
{
    const LogFilters filters = call.filters();
    const int max = call.maxRecords();
    const QString cs = call.connectionString();
    CsvWriter csv(call.out());
    logquery::StreamLog(cs, logquery::SelectText(filters, cs), max, csv);
    return 0;
}

int runPrintQuery(const Invocation& call)
{
    call.out() << logquery::SelectText(call.filters(), call.connectionStringForText()) << '\n';
    return 0;
}

// The LogIDs the chosen action was given, each a GUID in any spelling; else a UsageError.
void requireLogIds(const Command& command, const QCommandLineParser& parser)
{
    const QString name = command.option.names().constFirst();
    QStringList ids = command.takesArguments ? parser.positionalArguments() : QStringList();
    if (command.valueIsLogId)
        ids.prepend(parser.value(name));
    for (const QString& id : ids) {
        if (!logquery::LogIdText(id))
            throw UsageError{QStringLiteral("--%1: \"%2\" is no LogID (a GUID such as "
                                            "{6F9619FF-8B86-D011-B42D-00C04FC964FF}).")
                                 .arg(name, id)};
    }
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
        {valued("details", "Print the details of one audit row as CSV.", "logid"), runDetails,
         false, true},
        {valued("restore", "Print the restore text of one audit row.", "logid"), runRestore, false,
         true},
        {valued("restore-script",
                "Write one restore script of the audit rows whose LogIDs follow, in that order.",
                "file"),
         runRestoreScript, true},
        {valued("report",
                "Run a report, transactions (the rows of the filters, without a row limit) or "
                "aggregate (counts per table), and write it to the --export file.",
                "name"),
         runReport, false, false, reportOptions()},
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
        requireLogIds(*chosen, parser);
        const int status = chosen->run(call);
        out.flush();
        if (out.status() != QTextStream::Ok)
            throw Error(Error::FileNotFound, QStringLiteral("Cannot write the output."));
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
