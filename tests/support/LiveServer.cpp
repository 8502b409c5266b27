#include "tests/support/LiveServer.h"

#include "common/base/Error.h"
#include "common/db/ConnectionOptions.h"
#include "common/settings/ConnectionString.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace tallix::test {

QString LiveServer::connectionString(const QString& database) const
{
    return BuildConnectionString(server, database, login, password);
}

std::optional<LiveServer> LiveServer::fromEnvironment()
{
    const QString live = qEnvironmentVariable("TALLIX_TEST_MSSQL");
    if (live.isEmpty())
        return std::nullopt;
    const auto options = ConnectionOptions::parse(live);
    const auto either = [&](const char* programs, const char* odbc) {
        return options.contains(QLatin1String(programs)) ? options.value(QLatin1String(programs))
                                                         : options.value(QLatin1String(odbc));
    };
    LiveServer found{either("Data Source", "SERVER"), either("User ID", "UID"), options.password()};
    if (options.contains(QStringLiteral("PORT")))
        found.server += QLatin1Char(',') + options.value(QStringLiteral("PORT"));
    return found;
}

ScratchDatabase::ScratchDatabase(const LiveServer& server, const QString& prefix)
    : m_server(server)
    , m_name(prefix + QStringLiteral("_%1").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                QLatin1Char('0')))
{
    Connection master(m_server.connectionString(QStringLiteral("master")));
    master.Open();
    master.Execute(QStringLiteral("CREATE DATABASE ") + m_name);
}

ScratchDatabase::~ScratchDatabase()
{
    try {
        Connection master(m_server.connectionString(QStringLiteral("master")));
        master.Open();
        master.Execute(QStringLiteral("DROP DATABASE ") + m_name);
    } catch (const Error& e) {
        ADD_FAILURE() << "cannot drop " << qPrintable(m_name) << ": "
                      << qPrintable(e.description());
    }
}

void runScript(Connection& connection, const QString& script)
{
    static const QRegularExpression go(QStringLiteral("^GO\\r?$"),
                                       QRegularExpression::MultilineOption);
    for (const QString& batch : script.split(go)) {
        if (!batch.trimmed().isEmpty())
            connection.Execute(batch);
    }
}

} // namespace tallix::test
