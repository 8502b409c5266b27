#pragma once

#include "common/settings/Servers.h"
#include "viewer/query/LogFilters.h"

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>
#include <functional>

namespace tallix::cli {

// What a command gets to work with: the parsed arguments, the connection they name and the two
// output streams. Failures are thrown as tallix::Error (reported on standard error, exit 1) or
// UsageError (exit 2).
class Invocation {
public:
    Invocation(const QCommandLineParser& parser, const Servers& servers, QTextStream& out,
               QTextStream& err);

    const QCommandLineParser& parser() const { return m_parser; }
    QTextStream& out() const { return m_out; }
    QTextStream& err() const { return m_err; }

    // The programs' connection string of --server, --database, --login and --password, to
    // connect with. A registered server (the default one when --server is not given) supplies
    // its stored login and password when --login is not given, and its default database when
    // --database is not. Without a server or a database this is a UsageError; a --server that
    // names a folder (a path) that does not exist is an Error saying so.
    QString connectionString() const;
    // The same string unchecked: enough to write SQL for the kind of server it names.
    QString connectionStringForText() const;
    // The filter options.
    LogFilters filters() const;
    // --max as a row limit (0 = all): a whole number of 0 or more, else a UsageError.
    int maxRecords() const;

private:
    const QCommandLineParser& m_parser;
    const Servers& m_servers;
    QTextStream& m_out;
    QTextStream& m_err;
};

// A command-line mistake: the text is shown with a hint to --help.
struct UsageError {
    QString text;
};

// One action of the command line: its option (a flag, or an option with a value such as a log
// id) and the function that carries it out, returning the exit status. Further actions are added
// to `commands()` as one entry each.
struct Command {
    QCommandLineOption option;
    std::function<int(const Invocation&)> run;
    // Whether the action takes further arguments (LogIDs) after its options.
    bool takesArguments = false;
    // Whether the option's value is a LogID.
    bool valueIsLogId = false;
    // Options of this action alone, besides the connection and filter options.
    QList<QCommandLineOption> options{};
};

const QList<Command>& commands();

// True when the arguments (without the program name) ask for a command-line action instead of
// the window: any argument that starts with "--", or -h. Single-dash arguments such as
// "-platform offscreen" or "-style fusion" are the window toolkit's and open the window.
bool IsCommandLine(const QStringList& arguments);

// Parses and runs; returns the exit status. --help and --version print to `out`.
int Run(const QStringList& arguments, const Servers& servers, QTextStream& out, QTextStream& err);

} // namespace tallix::cli
