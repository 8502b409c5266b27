// The generator on projects of 100, 1,000 and 10,000 tables of 20 columns with
// every audit flag set:
// - BM_GenerateScript: the script built and handed, piece by piece, to a sink that
//   only counts, so it measures generation alone;
// - BM_BatchRun: the whole command-line run (read the project file, generate,
//   write the script atomically) as its own tallixgen process, with that
//   process's peak memory, against copying the script it wrote in the same run.

#include "BenchSupport.h"
#include "generator/driver/ScriptDriver.h"
#include "generator/project/Project.h"
#include "generator/project/ProjectFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <unistd.h>
#include <vector>

using namespace tallix;

namespace {

const char* const kTypes[] = {"int",     "varchar", "nvarchar",         "datetime", "money",
                              "decimal", "float",   "uniqueidentifier", "bit",      "char"};

void fillProject(Project& project, int tables)
{
    project.setDB(QStringLiteral("bench"));
    project.setSpecialMTSHandling(true);
    for (int t = 0; t < tables; ++t) {
        CTable& table = project.Tables().Add(QStringLiteral("Table %1").arg(t));
        table.Insert = table.Update = table.Delete = true;
        for (int c = 0; c < 20; ++c) {
            const QString type = QString::fromLatin1(kTypes[c % 10]);
            table.Columns.Add(QStringLiteral("Column%1").arg(c), type, c % 10 == 1 ? 40 : 0, 10, 2,
                              c > 1, c < 2, false, true);
        }
    }
}

// Counts what it is given and keeps nothing.
class CountingSink : public IScriptSink {
public:
    void append(QStringView text) override { chars += text.size(); }
    qint64 chars = 0;
};

struct Fixture {
    QTemporaryDir dir;
    QString projectPath;
};

Fixture& fixture(int tables)
{
    static std::map<int, Fixture> fixtures;
    Fixture& f = fixtures[tables];
    if (f.projectPath.isEmpty()) {
        Project project;
        fillProject(project, tables);
        f.projectPath = f.dir.filePath(QStringLiteral("bench.tpx"));
        ProjectFile::write(f.projectPath, project.Save());
    }
    return f;
}

// Runs tallixgen as its own process, through bench::measure().
bench::ChildRun runGenerator(const QString& project, const QString& output)
{
    return bench::runMeasured({QStringLiteral("--measure"), QStringLiteral(TALLIX_GEN_PATH),
                               QStringLiteral("/p:") + project, QStringLiteral("/o:") + output});
}

// The baseline: a copy of the script, 1 MiB at a time, as cp does it without
// shortcuts of the file system; with `sync` the copy is also flushed to disk
// before it ends, as the batch run's atomic write flushes its script.
double copySeconds(const QString& from, const QString& to, bool sync)
{
    QElapsedTimer timer;
    timer.start();
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY);
    const int out = ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char> buffer(1 << 20);
    ssize_t n = 0;
    bool ok = in >= 0 && out >= 0;
    while (ok && (n = ::read(in, buffer.data(), buffer.size())) > 0)
        ok = ::write(out, buffer.data(), static_cast<size_t>(n)) == n;
    ok = ok && n == 0 && (!sync || ::fdatasync(out) == 0);
    if (in >= 0)
        ::close(in);
    if (out >= 0)
        ok = ::close(out) == 0 && ok;
    return ok ? static_cast<double>(timer.nsecsElapsed()) / 1e9 : -1;
}

void BM_GenerateScript(benchmark::State& state)
{
    const int tables = static_cast<int>(state.range(0));
    Project project;
    fillProject(project, tables);
    IScriptObserver silent;
    ScriptDriver driver(silent);
    qint64 chars = 0;
    for (auto _ : state) {
        CountingSink sink;
        if (!driver.GenerateScript(project, sink))
            state.SkipWithError("generation failed");
        chars = sink.chars;
    }
    state.SetBytesProcessed(state.iterations() * chars);
    state.counters["script_chars"] = static_cast<double>(chars);
}

void BM_BatchRun(benchmark::State& state)
{
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    const QString output = f.dir.filePath(QStringLiteral("out.sql"));
    const QString copy = f.dir.filePath(QStringLiteral("copy.sql"));
    const QString syncedCopy = f.dir.filePath(QStringLiteral("copy-synced.sql"));
    double batch = 0, copied = 0, synced = 0, peak = 0;
    for (auto _ : state) {
        const bench::ChildRun run = runGenerator(f.projectPath, output);
        if (!run.ok) {
            state.SkipWithError("batch run failed");
            break;
        }
        state.SetIterationTime(run.seconds);
        const double c = copySeconds(output, copy, false);
        const double s = copySeconds(output, syncedCopy, true);
        if (c <= 0 || s <= 0) {
            state.SkipWithError("copy failed");
            break;
        }
        batch += run.seconds;
        copied += c;
        synced += s;
        peak = std::max(peak, run.peakMiB);
    }
    const auto n = static_cast<double>(state.iterations());
    const qint64 bytes = QFile(output).size();
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["script_MiB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    state.counters["peak_rss_MiB"] = peak;
    state.counters["copy_ms"] = copied / n * 1000.0;
    state.counters["ratio_to_copy"] = copied > 0 ? batch / copied : 0;
    state.counters["synced_copy_ms"] = synced / n * 1000.0;
    state.counters["ratio_to_synced_copy"] = synced > 0 ? batch / synced : 0;
    QFile::remove(copy);
    QFile::remove(syncedCopy);
}

BENCHMARK(BM_GenerateScript)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BatchRun)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--measure") == 0)
        return bench::measure(argv + 2);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
