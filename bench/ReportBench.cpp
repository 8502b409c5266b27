// The transaction-list report over a large audit trail: 1,000,000 rows in a SQLite server folder,
// against the baseline of reading the same rows with a bare QSqlQuery loop in the same run.
//
//   BM_BareRead          the rows of the report's join, sorted the same way, read value by value
//   BM_QueryFirstRow     the report's query through the database layer until its first row
//   BM_TransactionList   the report as the preview runs it: the viewer's query through the
//                        database layer, row by row, laid out on pages kept compressed. Counters:
//                        first_page_ms (the first page laid out and drawn at 75 %), report_ms
//                        (the whole report), pages, pages_per_s, ratio_to_bare (report_ms over
//                        the bare read of this run), stored_MiB (the pages as kept), pdf_ms (a
//                        PDF of every page), rss_MiB (resident with the pages held) and
//                        peak_rss_MiB (the process's peak)
//
// The database is built once per run in a temporary folder (a few seconds).

#include "BenchSupport.h"
#include "common/audit/AuditData.h"
#include "common/audit/KeyValues.h"
#include "common/audit/SqlQuoting.h"
#include "common/db/Connection.h"
#include "common/settings/ConnectionString.h"
#include "viewer/query/LogQuery.h"
#include "viewer/reports/Exports.h"
#include "viewer/reports/PagePainter.h"
#include "viewer/reports/ReportRunner.h"
#include "viewer/reports/TransactionList.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace tallix;

namespace {

// TALLIX_BENCH_ROWS sets another number of rows, for a quick look.
const int kRows = qEnvironmentVariableIsSet("TALLIX_BENCH_ROWS")
                      ? qEnvironmentVariableIntValue("TALLIX_BENCH_ROWS")
                      : 1000000;

double msSince(const QElapsedTimer& clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// The audit trail: 50,000 keys of two columns, 1,000,000 changes seven seconds apart by 40 users
// on 25 workstations.
struct Trail {
    QTemporaryDir dir;
    QString connectionString;
    double bareMs = 0;

    Trail()
    {
        const QString file = QDir(dir.path()).filePath(QStringLiteral("audit.db"));
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-build"));
            db.setDatabaseName(file);
            if (!db.open())
                std::abort();
            QSqlQuery q(db);
            const auto run = [&](const QString& sql) {
                if (!q.exec(sql)) {
                    std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
                    std::abort();
                }
            };
            run(QStringLiteral(
                "CREATE TABLE TallixKeys (KeyID uniqueidentifier NOT NULL PRIMARY KEY, SourceTable "
                "varchar(64) NOT NULL, KeyValues varchar(900) NOT NULL)"));
            run(QStringLiteral(
                "CREATE TABLE Tallix (LogID uniqueidentifier NOT NULL PRIMARY KEY, SourceTable "
                "varchar(64) NOT NULL, TransactionType char(1) NOT NULL, TransactionDate datetime "
                "NOT NULL, Username varchar(64) NOT NULL, Workstation varchar(64) NOT NULL, "
                "Application varchar(64) NOT NULL, KeyID uniqueidentifier NOT NULL, Data text NOT "
                "NULL)"));
            run(QStringLiteral(
                    "WITH RECURSIVE n(k) AS (SELECT 0 UNION ALL SELECT k + 1 FROM n WHERE k < "
                    "49999) "
                    "INSERT INTO TallixKeys SELECT printf('{22222222-0000-0000-0000-%012d}', k), "
                    "'sales', printf('stor_id=%d', 7000 + k % 100) || ") +
                audit::keySeparatorExpression() +
                QStringLiteral(" || printf('ord_num=ORD%d', k) FROM n"));
            // Rows 0 to kRows - 1.
            run(QStringLiteral("WITH RECURSIVE n(r) AS (SELECT 0 UNION ALL SELECT r + 1 FROM n "
                               "WHERE r < ") +
                QString::number(kRows - 1) +
                QStringLiteral(
                    ") INSERT INTO Tallix SELECT printf('{11111111-0000-0000-0000-%012d}', r), "
                    "'sales', substr('IUD', r % 3 + 1, 1), strftime('%Y-%m-%d %H:%M:%S', "
                    "'2026-01-01 08:00:00', '+' || (r * 7) || ' seconds') || '.000', "
                    "printf('user%d', r % 40), printf('WKS-%d', r % 25), 'PubsOrders', "
                    "printf('{22222222-0000-0000-0000-%012d}', r % 50000), printf(") +
                SqlQuoting::literal(audit::dataText({audit::columnElement(u"qty", u"%d", u"%d")})) +
                QStringLiteral(", r % 90, r % 91) FROM n"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench-build"));
        connectionString = BuildConnectionString(dir.path(), QStringLiteral("audit"), {}, {});
    }
};

Trail& trail()
{
    static Trail t;
    return t;
}

void BM_BareRead(benchmark::State& state)
{
    Trail& t = trail();
    const QString file = QDir(t.dir.path()).filePath(QStringLiteral("audit.db"));
    for (auto _ : state)
        t.bareMs = bench::bareReadMs(state, file, kRows);
    state.counters["rows"] = kRows;
    state.counters["peak_rss_MiB"] = bench::peakRssMiB();
}

// How long the database takes to give the report's query its first row: the query sorts every
// row by the converted date before it can give one, so no report can show a page sooner.
void BM_QueryFirstRow(benchmark::State& state)
{
    Trail& t = trail();
    for (auto _ : state) {
        Connection db(t.connectionString);
        db.Open();
        auto rows = db.OpenStream(logquery::SelectText(QString()));
        if (!rows->next())
            state.SkipWithError("no row came back");
    }
}

void BM_TransactionList(benchmark::State& state)
{
    Trail& t = trail();
    double firstPage = 0, report = 0, pdf = 0, rss = 0, stored = 0;
    int pages = 0;
    for (auto _ : state) {
        auto list = std::make_unique<reports::TransactionList>();
        list->pageSettings().setLeftMargin(0.5);
        list->pageSettings().setRightMargin(0.5);
        list->setSource(QStringLiteral("bench"), QStringLiteral("audit"));
        list->SetParams(logquery::SelectText(QString()), t.connectionString);
        reports::ReportRunner runner(std::move(list));
        QElapsedTimer clock;
        clock.start();
        // The preview shows the first page as soon as it is laid out.
        while (runner.pages()->count() == 0 && runner.step(100)) {
        }
        {
            const auto collection = runner.pages();
            const double scale = 0.75 * 96 / 1440.0;
            QImage image(qRound(collection->paper().width() * scale),
                         qRound(collection->paper().height() * scale), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.scale(scale, scale);
            reports::pagepainter::paint(painter, *collection, collection->page(0));
        }
        firstPage = msSince(clock);
        runner.run();
        report = msSince(clock);
        if (runner.rowCount() != kRows || runner.state() != reports::ReportRunner::State::Finished)
            state.SkipWithError("not every row was laid out");
        pages = runner.pages()->count();
        stored = static_cast<double>(runner.pages()->storedBytes()) / (1024.0 * 1024.0);
        rss = bench::rssMiB();

        QElapsedTimer pdfClock;
        pdfClock.start();
        reports::exportPdf(*runner.pages(),
                           QDir(t.dir.path()).filePath(QStringLiteral("list.pdf")));
        pdf = msSince(pdfClock);
        QFile::remove(QDir(t.dir.path()).filePath(QStringLiteral("list.pdf")));
    }
    state.counters["rows"] = kRows;
    state.counters["first_page_ms"] = firstPage;
    state.counters["report_ms"] = report;
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] = pages / (report / 1000.0);
    state.counters["ratio_to_bare"] = t.bareMs > 0 ? report / t.bareMs : 0;
    state.counters["stored_MiB"] = stored;
    state.counters["pdf_ms"] = pdf;
    state.counters["rss_MiB"] = rss;
    state.counters["peak_rss_MiB"] = bench::peakRssMiB();
}

BENCHMARK(BM_BareRead)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueryFirstRow)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransactionList)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The PDF needs fonts, hence a GUI application; no display is used.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    trail();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
