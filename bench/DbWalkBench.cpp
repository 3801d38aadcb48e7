// Walking a stored result row by row: the query's walk against a walk that seeks to each row
// before fetching it, as a walk does when it never trusts the result's own cursor. The client
// library's seek steps from the first row, so that walk costs time growing with the row count for
// every row; the query's stays flat. Both sides walk a result of the same statement, in turn
// within one loop, cold and warm (see measure() in BenchSupport.h), at 5,000 and 20,000 rows;
// the figures are thread CPU time per row, medians of the runs.
//
// Needs a MariaDB server: the VEXO_TEST_MYSQL_* variables that tools/mariadb-server.sh prints.
// Without them the benchmark says so and skips.
#include "bench/BenchServer.h"
#include "bench/BenchSupport.h"
#include "db/sDB_query.h"

#include <benchmark/benchmark.h>
#include <mysql.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

using namespace vexo;

void BM_DbWalkRows(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const bool cold = state.range(1) != 0;
    sDB_connection db;
    if (!ConnectBenchServer(db)) {
        state.SkipWithError("no server: eval the output of tools/mariadb-server.sh start DIR first");
        return;
    }
    const std::string table = "bench_walk_" + std::to_string(getpid());
    const std::string select = "select seq, concat('fila ', seq) from " + table;
    mysql_query(db.handle(),
                ("create table " + table + " as select seq from seq_1_to_" + std::to_string(n)).c_str());

    sDB_query query;
    query.setConnection(&db);
    query.open(select);
    mysql_query(db.handle(), select.c_str());
    MYSQL_RES* seeking = mysql_store_result(db.handle());

    long long sum = 0;
    Costs walk, seek;
    for (auto _ : state) {
        walk.add(measure(cold, [&] {
            for (query.first(); !query.eof(); query.next())
                sum += query.getInteger(0);
        }));
        seek.add(measure(cold, [&] {
            for (int i = 0; i < n; ++i) {
                mysql_data_seek(seeking, static_cast<unsigned long long>(i));
                sum += std::atoi(mysql_fetch_row(seeking)[0]);
            }
        }));
        state.SetIterationTime((walk.ms.back() + seek.ms.back()) / 1000);
    }
    benchmark::DoNotOptimize(sum);
    state.counters["query_walk_ns_per_row"] = median(walk.ms) * 1e6 / n;
    state.counters["seek_walk_ns_per_row"] = median(seek.ms) * 1e6 / n;
    mysql_free_result(seeking);
    mysql_query(db.handle(), ("drop table " + table).c_str());
}
BENCHMARK(BM_DbWalkRows)
    ->ArgsProduct({{5000, 20000}, {1, 0}})
    ->ArgNames({"rows", "cold"})
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace
