#pragma once

#include <QString>

namespace tallix {

// The one connection string of both programs. The values go in as they are, without quoting or
// escaping; the workstation is COMPUTERNAME, or the host name where that is not set.
QString BuildConnectionString(const QString& server, const QString& database, const QString& userId,
                              const QString& password);

// Whether a server name was given at all: a connection string without one reaches no server, and
// the driver's "unknown host" would not tell the user why.
bool isServerChosen(const QString& server);

// What both programs say when a connection is asked for before a server is chosen.
QString noServerChosenText();

// COMPUTERNAME from the environment when it is set and not empty, else the host name.
QString workstationName();

} // namespace tallix
