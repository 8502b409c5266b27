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
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

using namespace tallix;

namespace {

constexpr int kRows = 1000000;
constexpr int kKeys = 50000;

// Resident memory now, from /proc (Linux).
double rssMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096.0 / (1024.0 * 1024.0) : 0;
}

double peakRssMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

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

// Runs a program with its standard output sent to a file and prints its wall time in seconds,
// its peak resident memory in KiB and its exit status. Called as
// "bench_viewer --measure OUTPUT PROGRAM ARGS...": a child's peak starts from the peak of the
// process it was started from (Linux counts the memory it shares until it starts its program),
// so the program is started from this small, fresh process rather than from the benchmark.
int measure(char** argv)
{
    QElapsedTimer timer;
    timer.start();
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, argv[0], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[1], &files, nullptr, argv + 1, environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0)
        return 1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return 1;
    std::printf("%.6f %ld %d\n", static_cast<double>(timer.nsecsElapsed()) / 1e9, usage.ru_maxrss,
                WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return 0;
}

// The same rows, joined and sorted the same way, in SQLite's own words.
void BM_BareRead(benchmark::State& state)
{
    QElapsedTimer clock;
    Trail& t = trail();
    const QString file = QDir(t.dir.path()).filePath(QStringLiteral("audit.db"));
    for (auto _ : state) {
        clock.start();
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-bare"));
            db.setDatabaseName(file);
            db.open();
            QSqlQuery q(db);
            q.setForwardOnly(true);
            q.exec(QStringLiteral("SELECT sl.LogID, sl.TransactionType, sl.TransactionDate, "
                                  "sl.SourceTable, sl.Username, sl.Workstation, sl.Application, ") +
                   audit::shownKeyValuesExpression(u"slk.KeyValues") +
                   QStringLiteral(" FROM Tallix sl, TallixKeys slk WHERE sl.KeyID = slk.KeyID "
                                  "ORDER BY sl.TransactionDate DESC"));
            qint64 chars = 0;
            int rows = 0;
            while (q.next()) {
                for (int f = 0; f < 8; ++f)
                    chars += q.value(f).toString().size();
                ++rows;
            }
            if (rows != kRows)
                state.SkipWithError("not every row came back");
            benchmark::DoNotOptimize(chars);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench-bare"));
        g_bareReadMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }
    state.counters["rows"] = kRows;
    state.counters["peak_rss_MiB"] = peakRssMiB();
}

void BM_ViewerList(benchmark::State& state)
{
    Trail& t = trail();
    const QString sql = logquery::SelectText(QString());
    double firstScreen = 0;
    double total = 0;
    double afterFetch = 0;
    const double before = rssMiB();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        {
            Grid grid;
            grid.resize(900, 400);
            grid.show();
            const Recordset rows = logquery::FetchLog(t.connectionString, sql, 0);
            afterFetch = rssMiB();
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
    state.counters["peak_rss_MiB"] = peakRssMiB();
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
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--measure"), csv, QStringLiteral(TALLIX_VIEW_PATH),
                 QStringLiteral("--list"), QStringLiteral("--max"), QStringLiteral("0"),
                 QStringLiteral("--server"), t.dir.path(), QStringLiteral("--database"),
                 QStringLiteral("audit")});
        const bool finished = p.waitForFinished(600000) && p.exitCode() == 0;
        const QList<QByteArray> fields = p.readAllStandardOutput().trimmed().split(' ');
        if (!finished || fields.size() != 3 || fields[2] != "0") {
            state.SkipWithError("the list failed");
            return;
        }
        seconds = fields[0].toDouble();
        peak = fields[1].toDouble() / 1024.0;
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
        return measure(argv + 2);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    trail(); // built before the first measurement
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
