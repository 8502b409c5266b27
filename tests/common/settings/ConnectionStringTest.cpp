#include "common/settings/ConnectionString.h"

#include <QSysInfo>
#include <gtest/gtest.h>
#include <optional>

using namespace tallix;

namespace {

// Sets COMPUTERNAME for one test and restores it afterwards.
class ComputerName {
public:
    explicit ComputerName(const char* value)
    {
        if (qEnvironmentVariableIsSet("COMPUTERNAME"))
            m_saved = qgetenv("COMPUTERNAME");
        if (value)
            qputenv("COMPUTERNAME", value);
        else
            qunsetenv("COMPUTERNAME");
    }
    ~ComputerName()
    {
        if (m_saved)
            qputenv("COMPUTERNAME", *m_saved);
        else
            qunsetenv("COMPUTERNAME");
    }

private:
    std::optional<QByteArray> m_saved;
};

} // namespace

TEST(BuildConnectionString, SqlLoginWithPassword)
{
    ComputerName name("WKS42");
    EXPECT_EQ(BuildConnectionString(QStringLiteral("PROD\\SQL1"), QStringLiteral("pubs"),
                                    QStringLiteral("sa"), QStringLiteral("secret")),
              QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;"
                             "Password=secret;Initial Catalog=pubs;Data Source=PROD\\SQL1;"
                             "Use Procedure for Prepare=1;Auto Translate=True;Packet Size=4096;"
                             "Workstation ID=WKS42;Application Name=TallixViewer"));
}

TEST(BuildConnectionString, IntegratedSecurityWithoutPassword)
{
    ComputerName name("WKS42");
    EXPECT_EQ(BuildConnectionString(QStringLiteral("devbox"), QStringLiteral("master"), QString(),
                                    QString()),
              QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;"
                             "Integrated Security=SSPI;Initial Catalog=master;Data Source=devbox;"
                             "Use Procedure for Prepare=1;Auto Translate=True;Packet Size=4096;"
                             "Workstation ID=WKS42;Application Name=TallixViewer"));
}

TEST(BuildConnectionString, EmptyLoginWithPasswordKeepsBothParts)
{
    ComputerName name("WKS42");
    EXPECT_EQ(
        BuildConnectionString(QStringLiteral("devbox"), QStringLiteral("pubs"), QString(),
                              QStringLiteral("pw")),
        QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;"
                       "Integrated Security=SSPI;Password=pw;Initial Catalog=pubs;"
                       "Data Source=devbox;Use Procedure for Prepare=1;Auto Translate=True;"
                       "Packet Size=4096;Workstation ID=WKS42;Application Name=TallixViewer"));
}

TEST(BuildConnectionString, ValuesGoInUnchanged)
{
    ComputerName name("WKS42");
    EXPECT_EQ(BuildConnectionString(QStringLiteral("odd;name"), QString(), QStringLiteral("a=b"),
                                    QString()),
              QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=a=b;"
                             "Initial Catalog=;Data Source=odd;name;Use Procedure for Prepare=1;"
                             "Auto Translate=True;Packet Size=4096;Workstation ID=WKS42;"
                             "Application Name=TallixViewer"));
}

TEST(BuildConnectionString, WorkstationFallsBackToTheHostName)
{
    {
        ComputerName unset(nullptr);
        EXPECT_EQ(workstationName(), QSysInfo::machineHostName());
        EXPECT_TRUE(
            BuildConnectionString(QStringLiteral("s"), QStringLiteral("d"), QString(), QString())
                .endsWith(QStringLiteral(";Workstation ID=") + QSysInfo::machineHostName() +
                          QStringLiteral(";Application Name=TallixViewer")));
    }
    ComputerName empty("");
    EXPECT_EQ(workstationName(), QSysInfo::machineHostName());
}
