// Speed of script generation against a baseline measured in the same run:
// writing a buffer of the script's size to a file. Projects have 100, 1,000 and
// 10,000 tables of 20 columns with every audit flag set.

#include "generator/driver/BatchRun.h"
#include "generator/driver/ScriptDriver.h"
#include "generator/driver/ScriptFile.h"
#include "generator/project/Project.h"
#include "generator/project/ProjectFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <sys/resource.h>

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

// Peak resident memory of the process so far. Benchmarks run in order of size, so
// each reading is the peak of the largest project yet.
double peakRssMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct Fixture {
    QTemporaryDir dir;
    QString projectPath;
    qint64 scriptBytes = 0;
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
        IScriptObserver silent;
        f.scriptBytes = ScriptDriver(silent).GenerateScript(project).toUtf8().size();
    }
    return f;
}

void BM_GenerateScript(benchmark::State& state)
{
    const int tables = static_cast<int>(state.range(0));
    Project project;
    fillProject(project, tables);
    IScriptObserver silent;
    ScriptDriver driver(silent);
    qint64 bytes = 0;
    for (auto _ : state) {
        const QString script = driver.GenerateScript(project);
        bytes = script.size();
        benchmark::DoNotOptimize(script.constData());
    }
    state.SetBytesProcessed(state.iterations() * fixture(tables).scriptBytes);
    state.counters["script_chars"] = static_cast<double>(bytes);
    // The script held in memory (UTF-16) is the floor of what generation needs.
    state.counters["script_MiB"] = static_cast<double>(bytes) * 2 / (1024.0 * 1024.0);
    state.counters["peak_rss_MiB"] = peakRssMiB();
}

void BM_BatchRun(benchmark::State& state)
{
    const int tables = static_cast<int>(state.range(0));
    Fixture& f = fixture(tables);
    CommandLine cl;
    cl.hasProject = cl.hasOutput = true;
    cl.projectPath = f.projectPath;
    cl.outputPath = f.dir.filePath(QStringLiteral("out.sql"));
    for (auto _ : state) {
        if (RunBatch(cl) != 0)
            state.SkipWithError("batch run failed");
    }
    state.SetBytesProcessed(state.iterations() * f.scriptBytes);
    state.counters["peak_rss_MiB"] = peakRssMiB();
}

// Baseline: the cost of writing a script-sized buffer, with the same atomic writer.
void BM_WriteBaseline(benchmark::State& state)
{
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    const QString text(static_cast<qsizetype>(f.scriptBytes) - 2, QLatin1Char('x'));
    const QString path = f.dir.filePath(QStringLiteral("baseline.sql"));
    for (auto _ : state) {
        if (!ScriptFile::write(path, text))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * f.scriptBytes);
}

BENCHMARK(BM_WriteBaseline)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateScript)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BatchRun)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
