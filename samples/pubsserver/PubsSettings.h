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

    // builtIn(), then every value `iniFile` sets (keys Server, Database, Login, Password,
    // RealUser), then every PUBSSERVER_* variable of `environment` that is set, even to an empty
    // text. A missing file sets nothing. Values are trimmed. Fails with tallix::Error 5 for a
    // value the file holds as a list (a comma outside double quotes), naming the key.
    static PubsSettings load(const QString& iniFile, const QProcessEnvironment& environment);
};

// The settings file's name; it lies beside the component.
inline constexpr char kSettingsFileName[] = "pubsserver.ini";

} // namespace tallix::pubs
