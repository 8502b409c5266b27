#pragma once

#include "samples/pubsserver/PubsSettings.h"

#include <QString>

namespace tallix::pubs {

// How a middle tier that connects under its own login names the real user to the audit triggers
// generated with the middle-tier option: the connection's application name ends with the user
// between "<<" and ">>". The triggers record the text before "<<" (trailing blanks dropped) as
// the application and the text up to the first ">>" after it as the user, each cut to the 64
// characters of @Application and @Username.

// The most characters the triggers record of the application and of the user.
inline constexpr qsizetype kMaxRecordedName = 64;
// The most characters a server keeps of a connection's application name (APP_NAME()).
inline constexpr qsizetype kMaxApplicationName = 128;

// `application` + " <<" + `user` + ">>". Fails with tallix::Error 5, giving the reason, for a
// name the triggers would not read back whole: an empty user, a user longer than 64 characters,
// holding ">>" or ending in ">", an application holding "<<" or longer than 64 characters, a
// control character in either, or a whole name above 128 characters.
QString ApplicationNameWithUser(const QString& application, const QString& user);

// The component's connection string: the programs' BuildConnectionString for the settings'
// server, database, login and password, with its application name replaced by
// `applicationName` (quoted, so no character of it can add another key).
QString MiddleTierConnectionString(const PubsSettings& settings, const QString& applicationName);

} // namespace tallix::pubs
