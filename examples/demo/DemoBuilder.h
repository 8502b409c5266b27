#pragma once

#include <QDateTime>
#include <QString>

namespace tallix::demo {

struct DemoOptions {
    QString folder;       // the server folder; pubs.db is (re)written in it
    QString projectFile;  // the sample project whose audit choices the changes follow
    QString pubsScript;   // the pubs tables and rows
    QDateTime end;        // the moment of the last change; the changes span three weeks before
    quint32 seed = 2001;  // the same seed gives the same changes
    int statements = 320; // changing statements to run
};

// Builds the demo server folder: a pubs database with the sample tables and rows, the two audit
// tables, and the audit rows that the sample project's triggers would have written for a few
// weeks of changes by several users, workstations and applications. Returns the number of audit
// rows. Fails with tallix::Error.
int buildDemo(const DemoOptions& options);

// Registers `folder` as the default server with the default database pubs when no server is
// registered yet; true when it did.
bool registerDemoServer(const QString& folder);

} // namespace tallix::demo
