// The viewer's audit-row list on a large audit trail: 1,000,000 rows in a SQLite server folder,
// queried with the window's query text and bound to the grid, against the baseline of reading
// the same rows with a bare QSqlQuery loop in the same run.
//
//   BM_BareRead        the rows of the same join, sorted the same way, read value by value
//   BM_ViewerList      FetchLog (query, provider, detached result) + Grid::bind + the first
//                      screen painted; counters: first_screen_ms, total_ms (including releasing
//                      the result), rss_result_MiB (resident with the result held),
//                      peak_rss_MiB
//
// The database is built once per run in a temporary folder (about 10 s).

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
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sys/resource.h>

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
                q.addBindValue(QStringLiteral("stor_id=%1%2ord_num=ORD%3")
                                   .arg(7000 + k % 100)
                                   .arg(QChar(1))
                                   .arg(k));
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
                q.addBindValue(QStringLiteral("<AUDIT><COLUMN NAME='qty' BEFORE='%1' "
                                              "AFTER='%2'/></AUDIT>")
                                   .arg(r % 90)
                                   .arg(r % 91));
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

// The same rows, joined and sorted the same way, in SQLite's own words.
void BM_BareRead(benchmark::State& state)
{
    Trail& t = trail();
    const QString file = QDir(t.dir.path()).filePath(QStringLiteral("audit.db"));
    for (auto _ : state) {
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-bare"));
            db.setDatabaseName(file);
            db.open();
            QSqlQuery q(db);
            q.setForwardOnly(true);
            q.exec(QStringLiteral(
                "SELECT sl.LogID, sl.TransactionType, sl.TransactionDate, sl.SourceTable, "
                "sl.Username, sl.Workstation, sl.Application, REPLACE(slk.KeyValues, CHAR(1), "
                "' | ') FROM Tallix sl, TallixKeys slk WHERE sl.KeyID = slk.KeyID ORDER BY "
                "sl.TransactionDate DESC"));
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

BENCHMARK(BM_BareRead)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewerList)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    trail(); // built before the first measurement
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
