#pragma once

#include "generator/driver/CommandLine.h"

#include <cstdio>
#include <functional>

namespace tallix {

class Servers;

// Whether the command line asks for --discover or --refresh (and holds no usage error, which the
// script run reports).
bool isProjectCommand(const CommandLine& commandLine);

// The connection a project command uses: each of server, database and login as given, else the
// fallback (the project's own for --refresh). Without --login the login is the project's when it
// names that server, else the registered server's stored one, else none (integrated security).
struct ConnectionChoice {
    QString server, database, login, password;
};
ConnectionChoice chooseConnection(const CommandLine& commandLine, const ConnectionChoice& project,
                                  const Servers& registered);

// Runs --discover or --refresh without a window. The changes of --refresh go to `out`, one line
// each; discovery's warnings and every failure go to `err`. Returns 0, 1 for a run-time failure
// (nothing written then) or 2 for a usage error. `servers` gives the registered servers.
int RunProjectCommand(const CommandLine& commandLine, const Servers& servers,
                      std::FILE* out = stdout, std::FILE* err = stderr);

} // namespace tallix
