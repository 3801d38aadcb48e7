// The grid's row model against Qt's QStandardItemModel at 100,000 and 1,000,000 rows of five
// columns shaped like the sample application's rows: filling (by text and through a typed row
// object) with its page faults, memory per row, sorting by an integer, a date and a text column,
// emptying a grid after a sort, and the incremental search with its only match in the last row.
// Each Qt figure is printed with its ratio to the grid's, and a summary table follows the run.
//
// Timings are medians of several runs (thread CPU time) after an untimed warm-up. The fills run
// side by side (both sides in turn within one loop), cold and warm (see measure() in
// BenchSupport.h). Sorting a QStandardItemModel makes its destructor quadratic (Qt 6.4), so Qt's
// sorts run in a forked child that exits without destroying anything; the parent only ever
// deletes unsorted models.
#include "bench/BenchSupport.h"
#include "controls/grid/VexoGrid.h"
#include "controls/grid/VexoRow.h"
#include "values/VexoConvert.h"
#include "values/sDB_date.h"

#include <QStandardItemModel>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace vexo;

namespace {

const std::string sentence = "Con cien cañones por banda, viento en popa a toda vela";
const std::string needle = "zzfindme";

struct SampleData {
    std::vector<std::string> a, b, c, e;
    std::string d = sentence;
    std::string lastD = sentence + " " + needle; // the only row the search finds
    std::vector<int> bi;
    std::vector<sDB_date> cd;
    std::vector<double> ev;
    std::vector<QString> qa, qb, qc, qd, qe;
};

const SampleData& sample(int n) {
    static std::map<int, std::unique_ptr<SampleData>> cache;
    auto& slot = cache[n];
    if (slot) return *slot;
    slot = std::make_unique<SampleData>();
    SampleData& s = *slot;
    std::uint32_t seed = 20061001;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int i = 0; i < n; ++i) {
        const bool last = i == n - 1;
        s.a.push_back((i % 6 == 2 ? "numeric is Read-only " : "row normal ") +
                      std::to_string(next() % 1000000) + (last ? " " + needle : ""));
        s.bi.push_back(static_cast<int>(next() % 1000000));
        s.b.push_back(intToText(s.bi.back()));
        s.cd.emplace_back(static_cast<int>(1 + next() % 28), static_cast<int>(1 + next() % 12),
                          static_cast<int>(2000 + next() % 20));
        s.c.push_back(s.cd.back().text());
        s.ev.push_back(static_cast<double>(next() % 10000000) / 100.0);
        s.e.push_back(floatToText(2, s.ev.back()));
        s.qa.push_back(QString::fromStdString(s.a.back()));
        s.qb.push_back(QString::fromStdString(s.b.back()));
        s.qc.push_back(QString::fromStdString(s.c.back()));
        s.qd.push_back(QString::fromStdString(last ? sentence + " " + needle : sentence));
        s.qe.push_back(QString::fromStdString(s.e.back()));
    }
    return s;
}

// The sample application's row class.
class grid_dataRow : public TVexoRow {
public:
    grid_dataRow(TVexoGrid* grid)
        : TVexoRow(grid), a(this, 0), b(this, 1), c(this, 2), d(this, 3), e(this, 4) {}
    TVexoDataCol_string a;
    TVexoDataCol_integer b;
    TVexoDataCol_date c;
    TVexoDataCol_string d;
    TVexoDataCol_float e;
};

std::unique_ptr<TVexoGrid> newGrid() {
    auto grid = std::make_unique<TVexoGrid>(nullptr);
    grid->SetName("grid");
    const struct {
        const char* field;
        VGDataType type;
    } cols[] = {{"a", vgString}, {"b", vgInteger}, {"c", vgDate}, {"d", vgString}, {"e", vgFloat}};
    for (auto col : cols) {
        TVGColumn* c = grid->Columns()->Add();
        c->SetFieldName(col.field);
        c->SetDataType(col.type);
    }
    return grid;
}

void fillByText(TVexoGrid& grid, const SampleData& s, int n) {
    for (int i = 0; i < n; ++i) {
        grid.AddRow();
        grid.AddString(0, s.a[static_cast<std::size_t>(i)]);
        grid.AddString(1, s.b[static_cast<std::size_t>(i)]);
        grid.AddString(2, s.c[static_cast<std::size_t>(i)]);
        grid.AddString(3, i == n - 1 ? s.lastD : s.d);
        grid.AddString(4, s.e[static_cast<std::size_t>(i)]);
    }
}

void fillTyped(TVexoGrid& grid, const SampleData& s, int n) {
    grid_dataRow row(&grid);
    for (int i = 0; i < n; ++i) {
        const auto u = static_cast<std::size_t>(i);
        row.Append();
        row.a = s.a[u];
        row.b = s.bi[u];
        row.c = s.cd[u];
        row.d = i == n - 1 ? s.lastD : s.d;
        row.e = s.ev[u];
    }
}

void appendQtRows(QStandardItemModel& model, const SampleData& s, int n) {
    for (int i = 0; i < n; ++i) {
        const auto u = static_cast<std::size_t>(i);
        QList<QStandardItem*> items;
        items.reserve(5);
        items << new QStandardItem(s.qa[u]) << new QStandardItem(s.qb[u]) << new QStandardItem(s.qc[u])
              << new QStandardItem(s.qd[u]) << new QStandardItem(s.qe[u]);
        model.appendRow(items);
    }
}

QStandardItemModel* newQtModel(const SampleData& s, int n) {
    auto* model = new QStandardItemModel(0, 5);
    appendQtRows(*model, s, n);
    return model;
}

// Medians by "measure/N", one entry for the grid and one for Qt, for the ratios and the summary.
struct Results {
    std::map<std::string, std::pair<double, double>> rows; // grid, qt
    std::map<std::string, std::string> units;
    // Where both sides ran in turn within one loop: the median of each run's own ratio, which the
    // machine's drift between runs does not move as much as the ratio of the medians.
    std::map<std::string, double> pairedRatios;
    ~Results() {
        if (rows.empty()) return;
        std::printf("\n%-40s %14s %14s %10s\n", "measure", "VexoGrid", "QStandardItem", "Qt/grid");
        for (const auto& [name, v] : rows) {
            const std::string unit = units[name];
            const auto paired = pairedRatios.find(name);
            const double ratio = paired != pairedRatios.end() ? paired->second
                                 : v.first > 0                ? v.second / v.first
                                                              : 0.0;
            std::printf("%-40s %11.1f %-2s %11.1f %-2s %10.2f\n", name.c_str(), v.first, unit.c_str(),
                        v.second, unit.c_str(), ratio);
        }
    }
};
Results results;

void record(benchmark::State& state, const std::string& name, bool qt, double value, const char* unit) {
    auto& entry = results.rows[name];
    (qt ? entry.second : entry.first) = value;
    results.units[name] = unit;
    std::string counter = name.substr(0, name.find('/')) + (*unit ? std::string(" (") + unit + ")" : "");
    std::replace(counter.begin(), counter.end(), ' ', '_');
    state.counters[counter] = value;
    if (qt && entry.first > 0) state.counters[counter + "_ratio_qt_over_grid"] = value / entry.first;
}

std::string key(const char* what, int n) {
    return std::string(what) + "/" + std::to_string(n);
}

// ---- fill ----

// The grid filled by text, the grid filled through its typed row object, and Qt's model, in turn
// within one loop and in the same condition. Cold: each side fills a new object after the process
// gave its free memory back to the system (malloc_trim), as a program's first fill does; the
// object is destroyed, untimed, before the next side runs. Warm: each side refills its own object
// after emptying it untimed (Clear; removeRows), as a refresh does, with the memory the object just
// freed at hand. Qt's model is never sorted here, so emptying it stays linear.
void BM_FillSideBySide(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const bool cold = state.range(1) != 0;
    const SampleData& s = sample(n);
    std::unique_ptr<TVexoGrid> textGrid = newGrid(), typedGrid = newGrid();
    std::unique_ptr<QStandardItemModel> model(new QStandardItemModel(0, 5));
    // Warm-up, and the first fill that the warm runs refill: the first large fill of a process is
    // slower on either side.
    fillByText(*textGrid, s, n);
    fillTyped(*typedGrid, s, n);
    appendQtRows(*model, s, n);
    auto renew = [&](auto& object, auto make) {
        if (cold) {
            object.reset();
            object = make();
        }
    };
    Costs text, typed, qt;
    std::vector<double> textRatios, typedRatios; // Qt's time over the grid's, per run
    for (auto _ : state) {
        renew(textGrid, newGrid);
        if (!cold) textGrid->Clear();
        text.add(measure(cold, [&] { fillByText(*textGrid, s, n); }));
        renew(typedGrid, newGrid);
        if (!cold) typedGrid->Clear();
        typed.add(measure(cold, [&] { fillTyped(*typedGrid, s, n); }));
        renew(model, [] { return std::unique_ptr<QStandardItemModel>(new QStandardItemModel(0, 5)); });
        if (!cold) model->removeRows(0, model->rowCount());
        qt.add(measure(cold, [&] { appendQtRows(*model, s, n); }));
        textRatios.push_back(qt.ms.back() / text.ms.back());
        typedRatios.push_back(qt.ms.back() / typed.ms.back());
        state.SetIterationTime((text.ms.back() + typed.ms.back() + qt.ms.back()) / 1000);
    }
    const std::string condition = cold ? " cold" : " warm";
    const double q = median(qt.ms);
    record(state, key(("fill by text" + condition).c_str(), n), false, median(text.ms), "ms");
    record(state, key(("fill by text" + condition).c_str(), n), true, q, "ms");
    record(state, key(("fill typed" + condition).c_str(), n), false, median(typed.ms), "ms");
    record(state, key(("fill typed" + condition).c_str(), n), true, q, "ms");
    results.pairedRatios[key(("fill by text" + condition).c_str(), n)] = median(textRatios);
    results.pairedRatios[key(("fill typed" + condition).c_str(), n)] = median(typedRatios);
    state.counters["fill_by_text_paired_ratio"] = median(textRatios);
    state.counters["fill_typed_paired_ratio"] = median(typedRatios);
    record(state, key(("faults, fill by text" + condition).c_str(), n), false, median(text.faults), "");
    record(state, key(("faults, fill by text" + condition).c_str(), n), true, median(qt.faults), "");
    record(state, key(("faults, fill typed" + condition).c_str(), n), false, median(typed.faults), "");
    record(state, key(("faults, fill typed" + condition).c_str(), n), true, median(qt.faults), "");
}

// ---- memory ----

long residentBytes() {
    long pages = 0, resident = 0;
    std::ifstream statm("/proc/self/statm");
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

void BM_GridBytesPerRow(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const SampleData& s = sample(n);
    for (auto _ : state) {
        malloc_trim(0);
        auto grid = newGrid();
        const long rss0 = residentBytes();
        fillByText(*grid, s, n);
        const long rss = residentBytes() - rss0;
        record(state, key("bytes per row (resident)", n), false, static_cast<double>(rss) / n, "B");
        state.SetIterationTime(1e-3);
    }
}

void BM_QtBytesPerRow(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const SampleData& s = sample(n);
    for (auto _ : state) {
        malloc_trim(0);
        const long rss0 = residentBytes();
        QStandardItemModel* model = newQtModel(s, n);
        const long rss = residentBytes() - rss0;
        record(state, key("bytes per row (resident)", n), true, static_cast<double>(rss) / n, "B");
        delete model;
        state.SetIterationTime(1e-3);
    }
}

// ---- sort ----

const struct {
    const char* keys;
    int col;
    const char* name;
} sortKeys[] = {{"b", 1, "sort integer"}, {"c", 2, "sort date"}, {"a", 0, "sort text"}};

void BM_GridSort(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto& k = sortKeys[state.range(1)];
    const SampleData& s = sample(n);
    std::vector<double> times;
    for (auto _ : state) {
        auto grid = newGrid();
        fillByText(*grid, s, n);
        const double t0 = cpuMs();
        grid->SortBy(k.keys);
        times.push_back(cpuMs() - t0);
        state.SetIterationTime(times.back() / 1000);
    }
    record(state, key(k.name, n), false, median(times), "ms");
}

// Runs work in a forked child and returns the milliseconds it reports, through a pipe; -1 when
// the child fails. The child exits without destroying anything.
template <class Work> double inChild(Work work) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const double ms = work();
        [[maybe_unused]] const auto written = write(fds[1], &ms, sizeof ms);
        _exit(0);
    }
    close(fds[1]);
    double ms = -1;
    if (pid < 0 || read(fds[0], &ms, sizeof ms) != static_cast<ssize_t>(sizeof ms)) ms = -1;
    close(fds[0]);
    if (pid > 0) waitpid(pid, nullptr, 0);
    return ms;
}

void BM_QtSort(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto& k = sortKeys[state.range(1)];
    const SampleData& s = sample(n);
    std::vector<double> times;
    for (auto _ : state) {
        // The child builds its own model, so that the sort pays no copy-on-write faults on the
        // parent's pages, and exits without destroying the sorted model.
        times.push_back(inChild([&] {
            QStandardItemModel* model = newQtModel(s, n);
            const double t0 = cpuMs();
            model->sort(k.col);
            return cpuMs() - t0;
        }));
        if (times.back() < 0) state.SkipWithError("the child process failed");
        state.SetIterationTime(std::max(times.back(), 0.0) / 1000);
    }
    record(state, key(k.name, n), true, median(times), "ms");
}

// ---- emptying ----

// Emptying a grid of n rows: DeleteRow of every row from the last after a text sort, Clear after
// a text sort, and Clear of rows never sorted. The sort scatters the records' order against their
// memory; emptying must not pay for that more than a constant.
const char* const dropNames[] = {"delete every row after sort", "Clear after sort", "Clear"};

void BM_GridEmpty(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const int way = static_cast<int>(state.range(1));
    const SampleData& s = sample(n);
    std::vector<double> times;
    for (auto _ : state) {
        auto grid = newGrid();
        fillByText(*grid, s, n);
        if (way < 2) grid->SortBy("a");
        const double t0 = cpuMs();
        if (way == 0) {
            for (int row = n - 1; row >= 0; --row)
                grid->DeleteRow(row);
        } else {
            grid->Clear();
        }
        times.push_back(cpuMs() - t0);
        state.SetIterationTime(times.back() / 1000);
    }
    record(state, key(dropNames[way], n), false, median(times), "ms");
}

// Qt's model sorted by text and then deleted, in a forked child (the quadratic destructor of Qt
// 6.4 must not hold up the rest), beside the grid's deletion of every row after its own sort.
void BM_QtDeleteAfterSort(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const SampleData& s = sample(n);
    std::vector<double> times;
    for (auto _ : state) {
        times.push_back(inChild([&] {
            QStandardItemModel* model = newQtModel(s, n);
            model->sort(0);
            const double t0 = cpuMs();
            delete model;
            return cpuMs() - t0;
        }));
        if (times.back() < 0) state.SkipWithError("the child process failed");
        state.SetIterationTime(std::max(times.back(), 0.0) / 1000);
    }
    record(state, key(dropNames[0], n), true, median(times), "ms");
}

// ---- search ----

void BM_GridFind(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const int col = static_cast<int>(state.range(1));
    const SampleData& s = sample(n);
    auto grid = newGrid();
    fillByText(*grid, s, n);
    grid->FindColumnText(needle, std::to_string(col)); // warm-up
    std::vector<double> times;
    for (auto _ : state) {
        grid->SetRowIndex(-1);
        const double t0 = cpuMs();
        const bool found = grid->FindColumnText(needle, std::to_string(col));
        times.push_back(cpuMs() - t0);
        state.SetIterationTime(times.back() / 1000);
        if (!found || grid->GetRowIndex() != n - 1) state.SkipWithError("the last row was not found");
    }
    record(state, key(col == 0 ? "find, ASCII column" : "find, accented column", n), false, median(times),
           "ms");
}

void BM_QtFind(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const int col = static_cast<int>(state.range(1));
    const SampleData& s = sample(n);
    QStandardItemModel* model = newQtModel(s, n);
    const QString q = QString::fromStdString(needle);
    model->match(model->index(0, col), Qt::DisplayRole, q, 1, Qt::MatchContains); // warm-up
    std::vector<double> times;
    for (auto _ : state) {
        const double t0 = cpuMs();
        const QModelIndexList hits =
            model->match(model->index(0, col), Qt::DisplayRole, q, 1, Qt::MatchContains);
        times.push_back(cpuMs() - t0);
        state.SetIterationTime(times.back() / 1000);
        if (hits.size() != 1 || hits.front().row() != n - 1)
            state.SkipWithError("the last row was not found");
    }
    delete model;
    record(state, key(col == 0 ? "find, ASCII column" : "find, accented column", n), true, median(times),
           "ms");
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(100000)->Arg(1000000);
}

void manualMs(benchmark::internal::Benchmark* b) {
    b->UseManualTime()->Unit(benchmark::kMillisecond);
}

} // namespace

// Memory first, while the heap is fresh, the grid before Qt so that Qt's figure can only profit
// from pages the grid freed.
BENCHMARK(BM_GridBytesPerRow)->Apply(sizes)->Iterations(1)->UseManualTime();
BENCHMARK(BM_QtBytesPerRow)->Apply(sizes)->Iterations(1)->UseManualTime();
BENCHMARK(BM_FillSideBySide)
    ->ArgsProduct({{100000}, {1, 0}})
    ->ArgNames({"rows", "cold"})
    ->Iterations(9)
    ->Apply(manualMs);
BENCHMARK(BM_FillSideBySide)
    ->ArgsProduct({{1000000}, {1, 0}})
    ->ArgNames({"rows", "cold"})
    ->Iterations(3)
    ->Apply(manualMs);
BENCHMARK(BM_GridSort)->ArgsProduct({{100000, 1000000}, {0, 1, 2}})->Iterations(3)->Apply(manualMs);
BENCHMARK(BM_QtSort)->ArgsProduct({{100000}, {0, 1, 2}})->Iterations(3)->Apply(manualMs);
BENCHMARK(BM_QtSort)->ArgsProduct({{1000000}, {0, 1, 2}})->Iterations(1)->Apply(manualMs);
BENCHMARK(BM_GridEmpty)->ArgsProduct({{20000, 100000, 1000000}, {0, 1, 2}})->Iterations(3)->Apply(manualMs);
BENCHMARK(BM_QtDeleteAfterSort)->Arg(20000)->Iterations(1)->Apply(manualMs);
BENCHMARK(BM_GridFind)->ArgsProduct({{100000, 1000000}, {0, 3}})->Iterations(5)->Apply(manualMs);
BENCHMARK(BM_QtFind)->ArgsProduct({{100000, 1000000}, {0, 3}})->Iterations(5)->Apply(manualMs);
