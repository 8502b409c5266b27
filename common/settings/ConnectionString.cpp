#include "common/settings/ConnectionString.h"

#include <QSysInfo>

namespace tallix {

QString workstationName()
{
    const QString name = qEnvironmentVariable("COMPUTERNAME");
    return name.isEmpty() ? QSysInfo::machineHostName() : name;
}

bool isServerChosen(const QString& server)
{
    return !server.trimmed().isEmpty();
}

QString noServerChosenText()
{
    return QStringLiteral("No server chosen. Choose a server first; new servers are registered "
                          "in Server Registration.");
}

QString BuildConnectionString(const QString& server, const QString& database, const QString& userId,
                              const QString& password)
{
    QString s = QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;");
    if (!userId.isEmpty())
        s += QStringLiteral("User ID=") + userId + QLatin1Char(';');
    else
        s += QStringLiteral("Integrated Security=SSPI;");
    if (!password.isEmpty())
        s += QStringLiteral("Password=") + password + QLatin1Char(';');
    s += QStringLiteral("Initial Catalog=") + database + QLatin1Char(';');
    s += QStringLiteral("Data Source=") + server + QLatin1Char(';');
    s += QStringLiteral("Use Procedure for Prepare=1;Auto Translate=True;Packet Size=4096;");
    s += QStringLiteral("Workstation ID=") + workstationName() + QLatin1Char(';');
    s += QStringLiteral("Application Name=TallixViewer");
    return s;
}

} // namespace tallix
