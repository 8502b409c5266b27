#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace tallix::pubs {

// Where the sample server component connects and whom it names as the real user.
struct PubsSettings {
    QString server;
    QString database;
    QString login;    // empty: integrated security (the component's own account)
    QString password; // sent only when not empty
    QString realUser; // empty: the login name of the person running the client

    // The settings as this source code sets them (PubsSettings.cpp).
    static PubsSettings builtIn();

    // builtIn(), then every value `iniFile` sets, then every PUBSSERVER_* variable of
    // `environment` that is set, even to an empty text. A missing file sets nothing.
    //
    // The file holds Key=value lines with the keys Server, Database, Login, Password and
    // RealUser (letter case ignored); the value is everything after the first "=", blanks at
    // both ends dropped, with no quoting or escapes, so "CORP\jdoe" or "a;b" stay as written.
    // Blank lines, [section] lines and lines starting with ";" or "#" are passed over; a later
    // line wins. Fails with tallix::Error, naming the file and line, for a line without "=" or
    // with another key, and for a file that cannot be read.
    static PubsSettings load(const QString& iniFile, const QProcessEnvironment& environment);
};

// The settings file's name; it lies beside the component.
inline constexpr char kSettingsFileName[] = "pubsserver.ini";

} // namespace tallix::pubs
