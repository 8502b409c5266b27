#pragma once

#include "common/db/Connection.h"

#include <QString>
#include <optional>

namespace tallix::test {

// The server of TALLIX_TEST_MSSQL (an ODBC connection string or the programs' form) as a user
// types it into the server dialog: "host,port", login and password.
struct LiveServer {
    QString server, login, password;

    // The programs' connection string for one of its databases.
    QString connectionString(const QString& database) const;

    // Nothing when TALLIX_TEST_MSSQL is not set, so the test can skip.
    static std::optional<LiveServer> fromEnvironment();
};

// A database of its own on the live server, named `prefix` and a random suffix so that tests
// running side by side never share one; created at once, dropped when this goes (a failure to
// drop it fails the test).
class ScratchDatabase {
public:
    ScratchDatabase(const LiveServer& server, const QString& prefix);
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;

    const QString& name() const { return m_name; }
    QString connectionString() const { return m_server.connectionString(m_name); }

private:
    LiveServer m_server;
    QString m_name;
};

// Runs a generated script as a client tool does: batch by batch, split at its "GO" lines.
void runScript(Connection& connection, const QString& script);

} // namespace tallix::test
