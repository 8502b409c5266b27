#include "common/settings/ConnectionString.h"

#include <QSysInfo>
#include <gtest/gtest.h>
#include <optional>

using namespace tallix;

namespace {

// Sets COMPUTERNAME for one test (nullptr unsets it) and restores it afterwards.
class ComputerName {
public:
    explicit ComputerName(const char* value)
    {
        if (qEnvironmentVariableIsSet("COMPUTERNAME"))
            m_saved = qgetenv("COMPUTERNAME");
        value ? qputenv("COMPUTERNAME", value) : qunsetenv("COMPUTERNAME");
    }
    ~ComputerName() { m_saved ? qputenv("COMPUTERNAME", *m_saved) : qunsetenv("COMPUTERNAME"); }

private:
    std::optional<QByteArray> m_saved;
};

QString build(const char* server, const char* database, const char* user, const char* password)
{
    return BuildConnectionString(QString::fromUtf8(server), QString::fromUtf8(database),
                                 QString::fromUtf8(user), QString::fromUtf8(password));
}

} // namespace

TEST(BuildConnectionString, TheFourLoginCases)
{
    ComputerName name("WKS42");
    EXPECT_EQ(
        build("PROD\\SQL1", "pubs", "sa", "secret"),
        QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;Password=secret;"
                       "Initial Catalog=pubs;Data Source=PROD\\SQL1;Use Procedure for Prepare=1;"
                       "Auto Translate=True;Packet Size=4096;Workstation ID=WKS42;"
                       "Application Name=TallixViewer"));
    EXPECT_EQ(
        build("devbox", "master", "", ""),
        QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;Integrated Security=SSPI;"
                       "Initial Catalog=master;Data Source=devbox;Use Procedure for Prepare=1;"
                       "Auto Translate=True;Packet Size=4096;Workstation ID=WKS42;"
                       "Application Name=TallixViewer"));
    EXPECT_EQ(
        build("devbox", "pubs", "", "pw"),
        QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;Integrated Security=SSPI;"
                       "Password=pw;Initial Catalog=pubs;Data Source=devbox;Use Procedure for "
                       "Prepare=1;Auto Translate=True;Packet Size=4096;Workstation ID=WKS42;"
                       "Application Name=TallixViewer"));
    EXPECT_EQ(build("srv", "", "reader", ""),
              QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=reader;"
                             "Initial Catalog=;Data Source=srv;Use Procedure for Prepare=1;"
                             "Auto Translate=True;Packet Size=4096;Workstation ID=WKS42;"
                             "Application Name=TallixViewer"));
}

TEST(BuildConnectionString, ValuesGoInUnchanged)
{
    ComputerName name("W");
    EXPECT_EQ(
        build("odd;name", "d b", "a=b", "p;w"),
        QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=a=b;Password=p;w;"
                       "Initial Catalog=d b;Data Source=odd;name;Use Procedure for Prepare=1;"
                       "Auto Translate=True;Packet Size=4096;Workstation ID=W;"
                       "Application Name=TallixViewer"));
}

TEST(BuildConnectionString, WorkstationFallsBackToTheHostName)
{
    for (const char* value : {static_cast<const char*>(nullptr), ""}) {
        ComputerName name(value);
        EXPECT_EQ(workstationName(), QSysInfo::machineHostName());
        EXPECT_TRUE(build("s", "d", "", "")
                        .endsWith(QStringLiteral(";Workstation ID=") + QSysInfo::machineHostName() +
                                  QStringLiteral(";Application Name=TallixViewer")));
    }
}
