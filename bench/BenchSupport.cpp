#include "BenchSupport.h"

#include "common/audit/KeyValues.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace tallix::bench {

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

int measure(char** argv, const char* output)
{
    QElapsedTimer timer;
    timer.start();
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    if (output)
        posix_spawn_file_actions_addopen(&files, 1, output, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &files, nullptr, argv, environ);
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

ChildRun runMeasured(const QStringList& arguments, const QProcessEnvironment& env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationFilePath(), arguments);
    if (!p.waitForFinished(600000) || p.exitCode() != 0)
        return {};
    const QList<QByteArray> fields = p.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 3)
        return {};
    ChildRun run;
    run.seconds = fields[0].toDouble();
    run.peakMiB = fields[1].toDouble() / 1024.0;
    run.ok = fields[2] == "0";
    return run;
}

double bareReadMs(benchmark::State& state, const QString& file, int rows)
{
    QElapsedTimer clock;
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
        int read = 0;
        while (q.next()) {
            for (int f = 0; f < 8; ++f)
                chars += q.value(f).toString().size();
            ++read;
        }
        if (read != rows)
            state.SkipWithError("not every row came back");
        benchmark::DoNotOptimize(chars);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-bare"));
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

} // namespace tallix::bench
