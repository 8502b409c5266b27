#include "common/db/Connection.h"
#include "common/db/DbErrors.h"
#include "common/settings/ConnectionString.h"
#include "examples/demo/DemoBuilder.h"
#include "tests/common/db/AuditDatabase.h"
#include "tests/viewer/reports/ReportTestSupport.h"
#include "viewer/query/LogQuery.h"
#include "viewer/reports/Aggregate.h"
#include "viewer/reports/TransactionList.h"

#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::reports;
using namespace tallix::test;

namespace {

TextExportOptions tabs(bool suppressBlankLines)
{
    TextExportOptions o;
    o.fieldDelimiter = QStringLiteral("\t");
    o.suppressBlankLines = suppressBlankLines;
    return o;
}

} // namespace

// The six audit rows of the test database, newest first, the two-column key of OrderLines on
// two lines; the header lines, and below the last row the blank lines down to the page number.
TEST(Reports, TransactionListShowsTheRowsOfTheQueryWithTheirHeader)
{
    AuditDatabase audit;
    const QString cs = audit.connectionString();
    const auto pages =
        runReport(std::make_unique<TransactionList>(), logquery::SelectText(LogFilters{}, cs), cs);
    EXPECT_EQ(pages->title(), QStringLiteral("Transaction List"));
    EXPECT_MATCHES_GOLDEN(textExport(*pages, tabs(false)),
                          QStringLiteral("reports/transactions.txt"));
}

// Hand-counted: OrderLines 1 insert, 1 delete; Orders 1 insert, 2 updates, 1 delete.
TEST(Reports, AggregateCountsEveryTableWhateverTheQueryAndSumsThem)
{
    AuditDatabase audit;
    const QString cs = audit.connectionString();
    for (const QString& query : {QString(), logquery::SelectText(QStringLiteral("1 = 0"))}) {
        auto report = std::make_unique<Aggregate>();
        const auto pages = runReport(std::move(report), query, cs);
        EXPECT_MATCHES_GOLDEN(textExport(*pages, tabs(true)),
                              QStringLiteral("reports/aggregate.txt"));
    }
    // The running total of the inserts, kept as the rows come.
    Aggregate report;
    report.SetParams(QString(), cs);
    report.ActiveReport_Initialize();
    bool eof = false;
    while (!eof)
        report.ActiveReport_FetchData(eof);
    EXPECT_EQ(report.field(QStringLiteral("TotalInserts")).toLongLong(), 2);
}

TEST(Reports, TheDataEndsQuietlyBeforeAnyQueryAndSaysWhyWhenAFetchFails)
{
    AuditDatabase audit;
    struct Case {
        std::function<std::unique_ptr<Report>()> make;
        QString query;
        QString connectionString;
        ReportRunner::State state;
        QString error; // the start of the description, when the data ended early
    };
    const auto list = [] {
        return std::unique_ptr<Report>(std::make_unique<TransactionList>());
    };
    const auto aggregate = [] {
        return std::unique_ptr<Report>(std::make_unique<Aggregate>());
    };
    const QString select = logquery::SelectText(QString());
    const Case cases[] = {
        // Before any query the viewer's last query is empty: nothing is fetched.
        {list, QString(), audit.connectionString(), ReportRunner::State::Finished, {}},
        {list, QStringLiteral("  "), QString(), ReportRunner::State::Finished, {}},
        // A database without the audit tables.
        {list, select, audit.connectionString(QStringLiteral("empty")),
         ReportRunner::State::EndedEarly, QStringLiteral("no such table")},
        {aggregate, QString(), audit.connectionString(QStringLiteral("empty")),
         ReportRunner::State::EndedEarly, QStringLiteral("no such table")},
        // No connection at all.
        {aggregate, QString(), QString(), ReportRunner::State::EndedEarly,
         QStringLiteral("The connection string is empty.")},
        // A query without the report's fields cannot fill them.
        {list, QStringLiteral("SELECT LogID FROM Tallix"), audit.connectionString(),
         ReportRunner::State::EndedEarly, QStringLiteral("Item cannot be found")},
    };
    for (const Case& c : cases) {
        ReportRunner::State state{};
        QString error;
        const auto pages = runReport(c.make(), c.query, c.connectionString, &state, &error);
        EXPECT_EQ(state, c.state) << qPrintable(c.query);
        EXPECT_TRUE(error.startsWith(c.error)) << qPrintable(error);
        ASSERT_EQ(pages->count(), 1);
        // The header and the page number only.
        const Page page = pages->page(0);
        ASSERT_EQ(page.bands.size(), 2);
        EXPECT_EQ(page.bands.last().texts.last().text, QStringLiteral("Page 1"));
    }
}

// The demo database: several hundred rows over several pages, the Aggregate's sums equal to
// counts taken straight from the audit table.
TEST(Reports, BothReportsCoverTheDemoDatabase)
{
    QTemporaryDir dir;
    demo::DemoOptions o;
    o.folder = dir.path();
    o.projectFile = QStringLiteral(TALLIX_SOURCE_DIR "/examples/pubs.tpx");
    o.pubsScript = QStringLiteral(TALLIX_SOURCE_DIR "/examples/demo/pubs.sql");
    o.end = QDateTime(QDate(2026, 3, 20), QTime(17, 45));
    const int rows = demo::buildDemo(o);
    const QString cs = BuildConnectionString(dir.path(), QStringLiteral("pubs"), {}, {});

    const auto list =
        runReport(std::make_unique<TransactionList>(), logquery::SelectText(LogFilters{}, cs), cs);
    int details = 0;
    for (int p = 0; p < list->count(); ++p) {
        const Page page = list->page(p);
        EXPECT_EQ(page.bands.last().texts.last().text, QStringLiteral("Page %1").arg(p + 1));
        for (const Band& b : page.bands)
            details += b.section == SectionKind::Detail;
    }
    EXPECT_EQ(details, rows);
    EXPECT_GT(list->count(), 5);

    Connection db(cs);
    db.Open();
    Recordset counts = db.OpenRecordset(QStringLiteral(
        "SELECT COUNT(DISTINCT SourceTable), SUM(TransactionType = 'I'), "
        "SUM(TransactionType = 'U'), SUM(TransactionType = 'D'), COUNT(*) FROM Tallix"));
    QStringList expected;
    for (int i = 0; i < 5; ++i)
        expected << counts.Field(i).toString();
    const auto aggregate = runReport(std::make_unique<Aggregate>(), QString(), cs);
    const Page last = aggregate->page(aggregate->count() - 1);
    QStringList totals;
    for (const Band& b : last.bands) {
        if (b.section == SectionKind::GroupFooter)
            for (const TextBox& t : b.texts)
                totals << t.text;
    }
    ASSERT_EQ(totals.size(), 6);
    EXPECT_EQ(totals.mid(1), expected);
    EXPECT_EQ(totals[5], QString::number(rows));
}
