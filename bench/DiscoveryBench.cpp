// Speed of schema discovery against a baseline measured in the same run: opening the three
// schema rowsets it reads (tables, columns, primary keys) from a SQLite server folder. Databases
// have 100, 1,000 and 10,000 tables of 20 columns with a two-column key. Discovery indexes the
// rowsets by table once; BM_FilterPerTable shows the cost of filtering the columns rowset per
// table and the keys rowset per column instead, on the smaller databases only.

#include "common/db/Connection.h"
#include "common/settings/ConnectionString.h"
#include "generator/discovery/SchemaDiscovery.h"
#include "generator/model/CTables.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>

using namespace tallix;

namespace {

const char* const kTypes[] = {"int",   "varchar(40)",   "nvarchar(20)", "datetime",
                              "money", "decimal(10,2)", "float",        "uniqueidentifier",
                              "bit",   "char(8)"};

struct Database {
    QTemporaryDir dir;
    QString connectionString;
};

Database& database(int tables)
{
    static std::map<int, Database> databases;
    Database& db = databases[tables];
    if (db.connectionString.isEmpty()) {
        const QString catalog = QStringLiteral("bench%1").arg(tables);
        QFile file(QDir(db.dir.path()).filePath(catalog + QStringLiteral(".db")));
        file.open(QIODevice::WriteOnly);
        file.close();
        db.connectionString = BuildConnectionString(db.dir.path(), catalog, {}, {});
        QString sql = QStringLiteral("BEGIN;");
        for (int t = 0; t < tables; ++t) {
            sql += QStringLiteral("CREATE TABLE Table%1 (").arg(t);
            for (int c = 0; c < 20; ++c)
                sql += QStringLiteral("Column%1 %2, ").arg(c).arg(QLatin1String(kTypes[c % 10]));
            sql += QStringLiteral("PRIMARY KEY (Column0, Column1));");
        }
        sql += QStringLiteral("COMMIT;");
        Connection c(db.connectionString);
        c.Open();
        c.Execute(sql);
    }
    return db;
}

struct Rowsets {
    Recordset tables, columns, keys;
};

Rowsets readRowsets(const QString& connectionString)
{
    Connection c(connectionString);
    c.Open();
    return {c.OpenSchema(SchemaKind::Tables), c.OpenSchema(SchemaKind::Columns),
            c.OpenSchema(SchemaKind::PrimaryKeys)};
}

void BM_ReadRowsets(benchmark::State& state)
{
    const QString cs = database(static_cast<int>(state.range(0))).connectionString;
    for (auto _ : state) {
        Rowsets r = readRowsets(cs);
        benchmark::DoNotOptimize(r.columns.RecordCount());
    }
    state.SetComplexityN(state.range(0));
}

void BM_Discover(benchmark::State& state)
{
    const Rowsets r = readRowsets(database(static_cast<int>(state.range(0))).connectionString);
    IDiscoveryObserver quiet;
    for (auto _ : state) {
        CTables tables;
        SchemaDiscovery(quiet).Discover(tables, r.tables, r.columns, r.keys);
        benchmark::DoNotOptimize(tables.Count());
    }
    state.SetComplexityN(state.range(0));
}

void BM_LoadTables(benchmark::State& state)
{
    const QString cs = database(static_cast<int>(state.range(0))).connectionString;
    IDiscoveryObserver quiet;
    for (auto _ : state) {
        CTables tables;
        SchemaDiscovery(quiet).LoadTables(tables, cs, [](const QString&) { return true; });
        benchmark::DoNotOptimize(tables.Count());
    }
    state.SetComplexityN(state.range(0));
}

// Only the filtering of the per-table approach, without building the model.
void BM_FilterPerTable(benchmark::State& state)
{
    Rowsets r = readRowsets(database(static_cast<int>(state.range(0))).connectionString);
    for (auto _ : state) {
        int keyColumns = 0;
        for (r.tables.MoveFirst(); !r.tables.atEnd(); r.tables.MoveNext()) {
            const QString name = r.tables.Field(QStringLiteral("TABLE_NAME")).toString();
            r.columns.SetFilter(QStringLiteral("TABLE_NAME = '") + name + QLatin1Char('\''));
            for (; !r.columns.atEnd(); r.columns.MoveNext()) {
                Recordset keys = r.keys.Clone();
                keys.SetFilter(QStringLiteral("TABLE_NAME = '") + name + QLatin1Char('\''));
                const QString column = r.columns.Field(QStringLiteral("COLUMN_NAME")).toString();
                for (; !keys.atEnd(); keys.MoveNext())
                    keyColumns += keys.Field(QStringLiteral("COLUMN_NAME")).toString() == column;
            }
            r.columns.ClearFilter();
        }
        benchmark::DoNotOptimize(keyColumns);
    }
    state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_ReadRowsets)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_Discover)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_LoadTables)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_FilterPerTable)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
