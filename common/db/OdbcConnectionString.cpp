#include "common/db/OdbcConnectionString.h"

#include <QFile>
#include <QRegularExpression>

namespace tallix {

namespace {

const char* const kDriverFile = "/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so";

bool isKey(const QString& key, const char* name)
{
    return key.simplified().compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

bool isTrue(const QString& value)
{
    const QString v = value.trimmed();
    for (const char* yes : {"SSPI", "true", "yes"}) {
        if (v.compare(QLatin1String(yes), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString odbcInstFile()
{
    const QString dir = qEnvironmentVariable("ODBCSYSINI");
    const QString name = qEnvironmentVariable("ODBCINSTINI", QStringLiteral("odbcinst.ini"));
    return (dir.isEmpty() ? QStringLiteral("/etc") : dir) + QLatin1Char('/') + name;
}

} // namespace

QString OdbcConnectionString::escape(const QString& value)
{
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{')) &&
                       !value.contains(QLatin1Char('}')) && value.trimmed() == value;
    if (plain)
        return value;
    QString inner = value;
    inner.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + inner + QLatin1Char('}');
}

QString OdbcConnectionString::chooseDriver(const QString& odbcinstText, bool driverFileExists,
                                           const QString& driverFile)
{
    static const QRegularExpression section(QStringLiteral("^\\s*\\[FreeTDS\\]\\s*$"),
                                            QRegularExpression::MultilineOption |
                                                QRegularExpression::CaseInsensitiveOption);
    if (odbcinstText.contains(section))
        return QStringLiteral("{FreeTDS}");
    if (driverFileExists)
        return driverFile;
    return QStringLiteral("{FreeTDS}");
}

QString OdbcConnectionString::driver()
{
    const QString chosen = qEnvironmentVariable("TALLIX_ODBC_DRIVER");
    if (!chosen.isEmpty())
        return chosen;
    QString text;
    QFile f(odbcInstFile());
    if (f.open(QIODevice::ReadOnly))
        text = QString::fromUtf8(f.read(1 << 20));
    const QString file = QString::fromLatin1(kDriverFile);
    return chooseDriver(text, QFile::exists(file), file);
}

QString OdbcConnectionString::translate(const ConnectionOptions& options, const QString& driver)
{
    QString server, port, database, uid, pwd, app, wsid;
    bool integrated = false;
    QList<std::pair<QString, QString>> passed;
    for (const auto& [key, value] : options.entries()) {
        if (isKey(key, "Provider") || isKey(key, "Persist Security Info") ||
            isKey(key, "Use Procedure for Prepare") || isKey(key, "Auto Translate") ||
            isKey(key, "Packet Size") || isKey(key, "Driver"))
            continue;
        if (isKey(key, "Data Source") || isKey(key, "Server"))
            server = value;
        else if (isKey(key, "Initial Catalog") || isKey(key, "Database"))
            database = value;
        else if (isKey(key, "User ID") || isKey(key, "UID"))
            uid = value;
        else if (ConnectionOptions::isPasswordKey(key))
            pwd = value;
        else if (isKey(key, "Integrated Security") || isKey(key, "Trusted_Connection"))
            integrated = isTrue(value);
        else if (isKey(key, "Application Name") || isKey(key, "APP"))
            app = value;
        else if (isKey(key, "Workstation ID") || isKey(key, "WSID"))
            wsid = value;
        else if (isKey(key, "Port"))
            port = value;
        else
            passed.append({key, value});
    }

    // SQL Server writes "host,port"; FreeTDS takes the port on its own. "host:port", as most
    // other programs write it, is read the same way; a name with more colons (an IPv6 address)
    // stays as it is.
    static const QRegularExpression withPort(QStringLiteral("^(.*),\\s*(\\d+)\\s*$"));
    static const QRegularExpression colonPort(
        QStringLiteral("^\\s*([^:]*[^:\\s])\\s*:\\s*(\\d+)\\s*$"));
    QRegularExpressionMatch m = withPort.match(server);
    if (!m.hasMatch())
        m = colonPort.match(server);
    if (m.hasMatch()) {
        server = m.captured(1).trimmed();
        port = m.captured(2);
    }
    const QString host = server.section(QLatin1Char('\\'), 0, 0);
    if (host == QLatin1String("(local)") || host == QLatin1String(".")) {
        server.replace(0, host.size(), QStringLiteral("localhost"));
    }

    QString out = QStringLiteral("DRIVER=") + driver + QLatin1Char(';');
    auto add = [&](const QString& key, const QString& value) {
        if (!value.isEmpty())
            out += key + QLatin1Char('=') + escape(value) + QLatin1Char(';');
    };
    add(QStringLiteral("SERVER"), server);
    add(QStringLiteral("PORT"), port);
    add(QStringLiteral("DATABASE"), database);
    if (!uid.isEmpty()) {
        add(QStringLiteral("UID"), uid);
        add(QStringLiteral("PWD"), pwd);
    } else if (integrated) {
        out += QStringLiteral("Trusted_Connection=Yes;");
    } else {
        add(QStringLiteral("PWD"), pwd);
    }
    add(QStringLiteral("APP"), app);
    add(QStringLiteral("WSID"), wsid);
    for (const auto& [key, value] : passed)
        add(key, value);
    return out;
}

} // namespace tallix
