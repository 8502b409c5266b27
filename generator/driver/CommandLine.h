#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tallix {

// The generator's command line. "/p:" and "/o:" are found without regard to case;
// their values lose every double quote and their outer blanks, and a later one
// replaces an earlier one. Each argument is looked at on its own, so paths may
// contain "/". The long forms are --project, --output, --remove, --help, --version.
// --discover makes a project from a database (written to --project) and --refresh brings a
// project in step with its database; both take the connection options, values as given.
struct CommandLine {
    bool hasProject = false; // a /p: or --project was given, even with an empty value
    QString projectPath;
    bool hasOutput = false;
    QString outputPath;
    bool remove = false; // write the removal script instead of the audit script
    bool help = false;
    bool version = false;
    bool discover = false;
    bool refresh = false;
    QString refreshPath;
    bool dryRun = false;
    std::optional<QString> server, database, login, password;
    QStringList includes, excludes; // shell-style patterns on "schema.table"
    bool auditInsert = false, auditUpdate = false, auditDelete = false;
    bool mts = false;
    bool unicode = false; // Unicode audit data
    QStringList others;   // words that are no option: a project to open in the window
    QString error;        // set when an argument could not be understood, or when
                          // a word that is no option stands beside a project

    static CommandLine parse(const QStringList& arguments);
    static QString usage();
};

} // namespace tallix
