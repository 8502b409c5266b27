#include "samples/pubsserver/PubsSettings.h"

#include "common/base/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <iterator>

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

Error badLine(const QString& file, int line, const QString& why)
{
    return Error(Error::InvalidArgument,
                 QStringLiteral("%1, line %2: %3").arg(file, QString::number(line), why));
}

void readFile(const QString& path, PubsSettings& s)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(Error::FileNotFound,
                    QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF))) // the byte-order mark some editors write
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')) ||
            (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            throw badLine(path, n + 1, QStringLiteral("a setting is written Key=value."));
        const QString name = line.left(eq).trimmed();
        const auto key = std::find_if(std::begin(kKeys), std::end(kKeys), [&](const Key& k) {
            return name.compare(QLatin1String(k.file), Qt::CaseInsensitive) == 0;
        });
        if (key == std::end(kKeys)) {
            throw badLine(path, n + 1,
                          QStringLiteral("\"%1\" is no setting; the settings are Server, Database, "
                                         "Login, Password and RealUser.")
                              .arg(name));
        }
        s.*key->member = line.mid(eq + 1).trimmed();
    }
}

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
    if (QFileInfo::exists(iniFile))
        readFile(iniFile, s);
    for (const Key& key : kKeys) {
        const QString name = QString::fromLatin1(key.environment);
        if (environment.contains(name))
            s.*key.member = environment.value(name).trimmed();
    }
    return s;
}

} // namespace tallix::pubs
