// The viewer's audit-row list on a large audit trail: 1,000,000 rows in a SQLite server folder,
// queried with the window's query text and bound to the grid, against the baseline of reading
// the same rows with a bare QSqlQuery loop in the same run.
//
//   BM_BareRead        the rows of the same join, sorted the same way, read value by value
//   BM_ViewerList      FetchLog (query, provider, detached result) + Grid::bind + the first
//                      screen painted; counters: first_screen_ms, total_ms (including releasing
//                      the result), rss_result_MiB (resident with the result held),
//                      peak_rss_MiB
//   BM_CliList         `tallixview --list --max 0` as its own process, its CSV written to a
//                      file as the rows are read; counters: peak_rss_MiB (of that process),
//                      csv_MiB, ratio_to_bare_read (its wall time over BM_BareRead's)
//
// The database is built once per run in a temporary folder (about 10 s).

#include "BenchSupport.h"
#include "common/audit/AuditData.h"
#include "common/audit/KeyValues.h"
#include "common/db/Connection.h"
#include "common/settings/ConnectionString.h"
#include "common/ui/Grid.h"
#include "viewer/query/LogQuery.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

using namespace tallix;

namespace {

constexpr int kRows = 1000000;
constexpr int kKeys = 50000;

struct Trail {
    QTemporaryDir dir;
    QString connectionString;

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
            q.exec(QStringLiteral("CREATE TABLE TallixKeys (KeyID uniqueidentifier NOT NULL "
                                  "PRIMARY KEY, SourceTable varchar(64) NOT NULL, KeyValues "
                                  "varchar(900) NOT NULL)"));
            q.exec(QStringLiteral(
                "CREATE TABLE Tallix (LogID uniqueidentifier NOT NULL PRIMARY KEY, SourceTable "
                "varchar(64) NOT NULL, TransactionType char(1) NOT NULL, TransactionDate "
                "datetime NOT NULL, Username varchar(64) NOT NULL, Workstation varchar(64) NOT "
                "NULL, Application varchar(64) NOT NULL, KeyID uniqueidentifier NOT NULL, Data "
                "text NOT NULL)"));
            db.transaction();
            q.prepare(QStringLiteral("INSERT INTO TallixKeys VALUES (?, ?, ?)"));
            for (int k = 0; k < kKeys; ++k) {
                q.addBindValue(QStringLiteral("{22222222-0000-0000-0000-%1}")
                                   .arg(k, 12, 10, QLatin1Char('0')));
                q.addBindValue(QStringLiteral("sales"));
                q.addBindValue(audit::keyValuesText(
                    {{QStringLiteral("stor_id"), QString::number(7000 + k % 100)},
                     {QStringLiteral("ord_num"), QStringLiteral("ORD%1").arg(k)}}));
                q.exec();
            }
            q.prepare(QStringLiteral("INSERT INTO Tallix VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
            const QDateTime start(QDate(2026, 1, 1), QTime(8, 0));
            const char* const types[] = {"I", "U", "D"};
            for (int r = 0; r < kRows; ++r) {
                const int k = r % kKeys;
                q.addBindValue(QStringLiteral("{11111111-0000-0000-0000-%1}")
                                   .arg(r, 12, 10, QLatin1Char('0')));
                q.addBindValue(QStringLiteral("sales"));
                q.addBindValue(QLatin1String(types[r % 3]));
                q.addBindValue(
                    start.addSecs(r * 7LL).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
                q.addBindValue(QStringLiteral("user%1").arg(r % 40));
                q.addBindValue(QStringLiteral("WKS-%1").arg(r % 25));
                q.addBindValue(QStringLiteral("PubsOrders"));
                q.addBindValue(QStringLiteral("{22222222-0000-0000-0000-%1}")
                                   .arg(k, 12, 10, QLatin1Char('0')));
                q.addBindValue(audit::dataText({audit::columnElement(
                    u"qty", QString::number(r % 90), QString::number(r % 91))}));
                q.exec();
            }
            db.commit();
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

double g_bareReadMs = 0; // BM_BareRead's last iteration, the baseline of BM_CliList

// The same rows, joined and sorted the same way, in SQLite's own words.
void BM_BareRead(benchmark::State& state)
{
    Trail& t = trail();
    const QString file = QDir(t.dir.path()).filePath(QStringLiteral("audit.db"));
    for (auto _ : state)
        g_bareReadMs = bench::bareReadMs(state, file, kRows);
    state.counters["rows"] = kRows;
    state.counters["peak_rss_MiB"] = bench::peakRssMiB();
}

void BM_ViewerList(benchmark::State& state)
{
    Trail& t = trail();
    const QString sql = logquery::SelectText(QString());
    double firstScreen = 0;
    double total = 0;
    double afterFetch = 0;
    const double before = bench::rssMiB();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        {
            Grid grid;
            grid.resize(900, 400);
            grid.show();
            const Recordset rows = logquery::FetchLog(t.connectionString, sql, 0);
            afterFetch = bench::rssMiB();
            grid.bind(rows);
            grid.setCurrentCell(1, 1);
            const QPixmap screen = grid.grab(); // the first screen, painted
            benchmark::DoNotOptimize(screen.cacheKey());
            firstScreen = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            if (grid.rows() != kRows + 1)
                state.SkipWithError("not every row came back");
        }
        total = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }
    state.counters["rows"] = kRows;
    state.counters["first_screen_ms"] = firstScreen;
    state.counters["total_ms"] = total;
    state.counters["rss_before_MiB"] = before;
    state.counters["rss_result_MiB"] = afterFetch;
    state.counters["peak_rss_MiB"] = bench::peakRssMiB();
}

// The command line's list of every row, written to a file by a process of its own.
void BM_CliList(benchmark::State& state)
{
    Trail& t = trail();
    const QString csv = QDir(t.dir.path()).filePath(QStringLiteral("list.csv"));
    QTemporaryDir config; // registers no server: the list names its own
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    double peak = 0;
    double seconds = 0;
    for (auto _ : state) {
        const bench::ChildRun run =
            bench::runMeasured({QStringLiteral("--measure"), csv, QStringLiteral(TALLIX_VIEW_PATH),
                                QStringLiteral("--list"), QStringLiteral("--max"),
                                QStringLiteral("0"), QStringLiteral("--server"), t.dir.path(),
                                QStringLiteral("--database"), QStringLiteral("audit")},
                               env);
        if (!run.ok) {
            state.SkipWithError("the list failed");
            return;
        }
        seconds = run.seconds;
        peak = run.peakMiB;
        state.SetIterationTime(seconds);
    }
    QFile file(csv);
    qint64 lines = 0;
    if (file.open(QIODevice::ReadOnly)) {
        char buffer[1 << 16];
        qint64 n = 0;
        while ((n = file.read(buffer, sizeof buffer)) > 0)
            lines += std::count(buffer, buffer + n, '\n');
    }
    if (lines != kRows + 1)
        state.SkipWithError("not every row was written");
    state.counters["rows"] = kRows;
    state.counters["peak_rss_MiB"] = peak;
    state.counters["csv_MiB"] = static_cast<double>(file.size()) / (1024.0 * 1024.0);
    if (g_bareReadMs > 0)
        state.counters["ratio_to_bare_read"] = seconds * 1000.0 / g_bareReadMs;
}

BENCHMARK(BM_BareRead)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewerList)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CliList)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc > 3 && std::strcmp(argv[1], "--measure") == 0)
        return bench::measure(argv + 3, argv[2]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    trail(); // built before the first measurement
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
