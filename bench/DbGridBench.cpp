// The data-bound grid against the client library. Filling: the grid's fill() of a 100,000-row
// table (five columns: text code, text, date, DECIMAL with cents, integer) against the floor, a
// plain C API loop that runs the same SELECT, stores the result and reads every field of every
// row; both in turn within one loop, cold and warm (see measure() in BenchSupport.h), thread CPU
// time, medians of the runs; the ratio is the median of each run's own ratio, since the machine's
// speed drifts between runs more than between the two sides of one. Writing back: 1,000
// single-cell changes of one row, each an update and the record's reload, in wall time, since the
// server's share is the point there.
//
// Needs a MariaDB server: the VEXO_TEST_MYSQL_* variables that tools/mariadb-server.sh prints.
// Without them the benchmark says so and skips.
#include "bench/BenchServer.h"
#include "bench/BenchSupport.h"
#include "controls/grid/VGColumnCollection.h"
#include "db/DBVexoGrid.h"
#include "values/VexoConvert.h"

#include <benchmark/benchmark.h>
#include <mysql.h>

#include <chrono>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace vexo;

// A connection to the benchmark server and a table of n clients, dropped at the end.
class BenchTable {
public:
    explicit BenchTable(int n) {
        if (!ConnectBenchServer(db)) return;
        name = "bench_dbgrid_" + std::to_string(getpid());
        run("create table " + name +
            " (code varchar(10) primary key, nombre varchar(40), alta date, importe decimal(12,2), n int) "
            "as select concat('C', lpad(seq, 7, '0')) as code, concat('Cliente número ', seq) as nombre, "
            "'2006-01-01' + interval seq % 7000 day as alta, seq * 1.37 as importe, seq % 1000 as n "
            "from seq_1_to_" +
            std::to_string(n));
        ready = true;
    }
    ~BenchTable() {
        if (ready) run("drop table " + name);
    }
    void run(const std::string& sql) { mysql_real_query(db.handle(), sql.data(), sql.size()); }

    sDB_connection db;
    std::string name;
    bool ready = false;
};

std::unique_ptr<TDBVexoGrid> boundGrid(BenchTable& table) {
    auto grid = std::make_unique<TDBVexoGrid>(nullptr);
    grid->SetBounds(0, 0, 600, 400);
    grid->HandleNeeded();
    for (const char* field : {"code", "nombre", "alta", "importe", "n"})
        grid->Columns()->Add()->SetFieldName(field);
    grid->connection = &table.db;
    grid->SetSQLTableName(table.name);
    grid->SetSQLOrderBy("code");
    return grid;
}

void BM_DbGridFill(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const bool cold = state.range(1) != 0;
    BenchTable table(n);
    if (!table.ready) {
        state.SkipWithError("no server: eval the output of tools/mariadb-server.sh start DIR first");
        return;
    }
    auto grid = boundGrid(table);
    const std::string select = "select * from " + table.name + " order by code";

    long long sum = 0;
    Costs gridFill, floor;
    std::vector<double> ratios; // per iteration: both sides saw the same state of the machine
    for (auto _ : state) {
        gridFill.add(measure(cold, [&] {
            grid->fill();
            sum += grid->GetRowCount();
        }));
        grid->Clear();
        floor.add(measure(cold, [&] {
            MYSQL* handle = table.db.handle();
            mysql_real_query(handle, select.data(), select.size());
            MYSQL_RES* result = mysql_store_result(handle);
            const unsigned fields = mysql_num_fields(result);
            while (MYSQL_ROW row = mysql_fetch_row(result)) {
                const unsigned long* lengths = mysql_fetch_lengths(result);
                for (unsigned i = 0; i < fields; ++i)
                    sum += static_cast<long long>(lengths[i]) + (row[i] != nullptr ? row[i][0] : 0);
            }
            mysql_free_result(result);
        }));
        ratios.push_back(gridFill.ms.back() / floor.ms.back());
        state.SetIterationTime((gridFill.ms.back() + floor.ms.back()) / 1000);
    }
    benchmark::DoNotOptimize(sum);
    state.counters["grid_fill_ms"] = median(gridFill.ms);
    state.counters["c_api_floor_ms"] = median(floor.ms);
    state.counters["ratio"] = median(ratios);
    state.counters["grid_faults"] = median(gridFill.faults);
    state.counters["floor_faults"] = median(floor.faults);
}
BENCHMARK(BM_DbGridFill)
    ->ArgsProduct({{100000}, {1, 0}})
    ->ArgNames({"rows", "cold"})
    ->UseManualTime()
    ->Iterations(9)
    ->Unit(benchmark::kMillisecond);

// As the cell editor commits: the cell's text stored, the row marked, the write-back called;
// against the same two statements (the update and the record's reload) sent through the C API,
// in turn.
void BM_DbGridWriteBack(benchmark::State& state) {
    constexpr int edits = 1000;
    BenchTable table(1000);
    if (!table.ready) {
        state.SkipWithError("no server: eval the output of tools/mariadb-server.sh start DIR first");
        return;
    }
    auto grid = boundGrid(table);
    grid->fill();
    grid->SetRowIndex(500);
    grid->SetColIndex(3);
    const std::string code = grid->GetRowData(500);
    const auto seconds = [](auto&& work) {
        const auto start = std::chrono::steady_clock::now();
        work();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    std::vector<double> gridRate, floorRate;
    for (auto _ : state) {
        const double gridSeconds = seconds([&] {
            for (int i = 0; i < edits; ++i) {
                grid->SetString(500, 3, floatToText(2, 100 + i * 0.01));
                grid->SetRowModified(true);
                grid->doCellModified();
            }
        });
        const double floorSeconds = seconds([&] {
            MYSQL* handle = table.db.handle();
            for (int i = 0; i < edits; ++i) {
                const std::string update = "update " + table.name +
                                           " set importe=" + std::to_string(200 + i * 0.01) +
                                           " where code='" + code + "'";
                const std::string reload = "select * from " + table.name + " where code='" + code + "'";
                mysql_real_query(handle, update.data(), update.size());
                mysql_real_query(handle, reload.data(), reload.size());
                mysql_free_result(mysql_store_result(handle));
            }
        });
        gridRate.push_back(edits / gridSeconds);
        floorRate.push_back(edits / floorSeconds);
        state.SetIterationTime(gridSeconds + floorSeconds);
    }
    state.counters["grid_writes_per_second"] = median(gridRate);
    state.counters["c_api_writes_per_second"] = median(floorRate);
}
BENCHMARK(BM_DbGridWriteBack)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
