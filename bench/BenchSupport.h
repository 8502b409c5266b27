// Pieces the benchmarks share: memory readings, the small process that measures a child, and
// the bare read of the audit rows every viewer benchmark is held against.

#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>

namespace tallix::bench {

// Resident memory now, from /proc (Linux).
double rssMiB();
double peakRssMiB();

// Runs argv[0] with argv and prints its wall time in seconds, its peak resident memory in KiB
// and its exit status; with `output` its standard output goes to that file. A child's peak
// starts from the peak of the process it was started from (Linux counts the memory it shares
// until it starts its program), so the program is started from a small, fresh process (the
// benchmark run again with --measure) rather than from the benchmark itself.
int measure(char** argv, const char* output = nullptr);

struct ChildRun {
    bool ok = false;
    double seconds = 0;
    double peakMiB = 0;
};

// Runs this benchmark again with `arguments` (beginning with --measure) and reads what
// measure() printed; ok only when the measured program exited with 0.
ChildRun runMeasured(const QStringList& arguments,
                     const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

// The audit rows of the SQLite file, joined and sorted as the viewer lists them, read value by
// value with a bare QSqlQuery loop; skips the benchmark unless `rows` came back. Returns ms.
double bareReadMs(benchmark::State& state, const QString& file, int rows);

} // namespace tallix::bench
