#pragma once

#include "viewer/reports/Report.h"
#include "viewer/reports/ReportQuery.h"

namespace tallix::reports {

// The audit rows of the viewer's last query, newest first, one detail band each: type, date,
// table, user, workstation, application and key, the key's columns on lines of their own. The
// query is the one the list ran, without its row limit; before any query the report is empty.
class TransactionList : public Report {
public:
    TransactionList();

    QString caption() const override;
    void SetParams(const QString& query, const QString& connectionString) override;
    void ActiveReport_Initialize() override;
    void ActiveReport_FetchData(bool& eof) override;
    void ActiveReport_ReportEnd() override;

    static ReportLayout design();

private:
    QString m_query;
    QString m_connectionString;
    ReportQuery m_rows;
    QList<int> m_columns; // the query's column of each report field
    bool m_started = false;
    bool m_done = false;
};

} // namespace tallix::reports
