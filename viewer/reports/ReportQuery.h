#pragma once

#include "common/db/Connection.h"

#include <memory>

namespace tallix::reports {

// The rows of a report's query, read one at a time over a connection of their own that stays
// open while the report runs: a report over the whole audit trail never holds its rows at once.
class ReportQuery {
public:
    ReportQuery();
    ~ReportQuery();
    ReportQuery(const ReportQuery&) = delete;
    ReportQuery& operator=(const ReportQuery&) = delete;

    // Connects and starts the query. Fails with the database layer's error.
    void open(const QString& connectionString, const QString& sql);
    bool isOpen() const { return m_rows != nullptr; }
    // Moves to the next row; false after the last. Fails with the database layer's error.
    bool next();
    const RowStream& row() const { return *m_rows; }
    // Ends the query and closes the connection.
    void close();

private:
    std::unique_ptr<Connection> m_connection;
    std::unique_ptr<RowStream> m_rows;
};

} // namespace tallix::reports
