#pragma once

#include "viewer/reports/Report.h"
#include "viewer/reports/ReportQuery.h"

namespace tallix::reports {

// One line per audited table over the whole audit table, whatever the viewer's filters: its
// first and last change and its counts of inserts, updates and deletes; below them the sums and
// the number of tables.
class Aggregate : public Report {
public:
    Aggregate();

    QString caption() const override;
    // Keeps the connection string; the query given is not used.
    void SetParams(const QString& query, const QString& connectionString) override;
    void ActiveReport_Initialize() override;
    void ActiveReport_FetchData(bool& eof) override;
    void ActiveReport_ReportEnd() override;

    // The report's one query.
    static QString queryText();
    static ReportLayout design();

private:
    QString m_connectionString;
    ReportQuery m_rows;
    bool m_started = false;
    bool m_done = false;
};

} // namespace tallix::reports
