#include "samples/pubsserver/PubsSettings.h"

#include "common/base/Error.h"

#include <QFileInfo>
#include <QSettings>

namespace tallix::pubs {

namespace {

// Each setting: its key in the file, its environment variable and its member.
struct Key {
    const char* file;
    const char* environment;
    QString PubsSettings::*member;
};

constexpr Key kKeys[] = {
    {"Server", "PUBSSERVER_SERVER", &PubsSettings::server},
    {"Database", "PUBSSERVER_DATABASE", &PubsSettings::database},
    {"Login", "PUBSSERVER_LOGIN", &PubsSettings::login},
    {"Password", "PUBSSERVER_PASSWORD", &PubsSettings::password},
    {"RealUser", "PUBSSERVER_REAL_USER", &PubsSettings::realUser},
};

} // namespace

PubsSettings PubsSettings::builtIn()
{
    // The connection settings of the component. Change them here to match your environment, or
    // set them in pubsserver.ini beside the component or in the PUBSSERVER_* variables.
    PubsSettings s;
    s.server = QStringLiteral("(local)");
    s.database = QStringLiteral("pubs");
    s.login = QString(); // integrated security
    s.password = QString();
    s.realUser = QString(); // the client's login name
    return s;
}

PubsSettings PubsSettings::load(const QString& iniFile, const QProcessEnvironment& environment)
{
    PubsSettings s = builtIn();
    if (QFileInfo::exists(iniFile)) {
        const QSettings file(iniFile, QSettings::IniFormat);
        for (const Key& key : kKeys) {
            const QString name = QString::fromLatin1(key.file);
            if (!file.contains(name))
                continue;
            const QVariant value = file.value(name);
            if (value.typeId() == QMetaType::QStringList) {
                throw Error(Error::InvalidArgument,
                            QStringLiteral("%1: the value of %2 holds a comma; put it in double "
                                           "quotes.")
                                .arg(iniFile, name));
            }
            s.*key.member = value.toString().trimmed();
        }
    }
    for (const Key& key : kKeys) {
        const QString name = QString::fromLatin1(key.environment);
        if (environment.contains(name))
            s.*key.member = environment.value(name).trimmed();
    }
    return s;
}

} // namespace tallix::pubs
