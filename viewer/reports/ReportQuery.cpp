#include "viewer/reports/ReportQuery.h"

namespace tallix::reports {

ReportQuery::ReportQuery() = default;

ReportQuery::~ReportQuery()
{
    close();
}

void ReportQuery::open(const QString& connectionString, const QString& sql)
{
    close();
    auto connection = std::make_unique<Connection>(connectionString);
    connection->Open();
    m_rows = connection->OpenStream(sql);
    m_connection = std::move(connection);
}

bool ReportQuery::next()
{
    return m_rows && m_rows->next();
}

void ReportQuery::close()
{
    m_rows.reset(); // the statement goes before its connection
    if (m_connection)
        m_connection->Close();
    m_connection.reset();
}

} // namespace tallix::reports
