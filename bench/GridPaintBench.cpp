// One full frame of the grid against QTableView over a QStandardItemModel of the same rows, at
// 100,000 and 1,000,000 rows, scrolled to the top and to the last row. Both controls are 606 x 238
// pixels with the sample application's five columns (text 130, integer 50, date 90, text 223,
// number 80), 15-pixel rows and a column header; QTableView's row header is hidden, as the grid
// has none.
//
// What "a full frame" means on both sides: every window of the control is marked dirty and the
// whole control, header, rows and scroll bars, is rendered into a QImage of its size through
// QWidget::grab, the same call our RenderToImage makes. A Qt widget repaints everything it is asked
// to grab; our windows keep a backing picture and repaint only what is invalid, so the grid, its
// header and its surface are invalidated before each grab. Synchronous repaint() of an unshown
// widget paints nothing in Qt, so rendering into an image is the only comparison that does the
// same work on both sides without a screen.
//
// The models are filled once per size (outside any timing) and kept. Timings are the thread's CPU
// time, medians of the iterations after an untimed warm-up frame.
#include "bench/BenchSupport.h"
#include "controls/grid/VGHead.h"
#include "controls/grid/VGScrollBox.h"
#include "controls/grid/VexoGrid.h"
#include "framework/windows/Render.h"
#include "values/VexoConvert.h"
#include "values/sDB_date.h"

#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace vexo;

namespace {

constexpr int kWidth = 606;
constexpr int kHeight = 238;
constexpr int kRowHeight = 15;

struct ColumnShape {
    const char* field;
    VGDataType type;
    int width;
};
constexpr ColumnShape kColumns[] = {
    {"a", vgString, 130}, {"b", vgInteger, 50}, {"c", vgDate, 90}, {"d", vgString, 223}, {"e", vgFloat, 80}};

const std::string sentence = "Con cien cañones por banda, viento en popa a toda vela";

// The texts of row i, as the grid stores them; the same for both sides.
struct RowTexts {
    std::string a, b, c, e;
};
RowTexts rowTexts(int i, std::uint32_t& seed) {
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    RowTexts t;
    t.a = (i % 6 == 2 ? "numeric is Read-only " : "row normal ") + std::to_string(next() % 1000000);
    t.b = intToText(static_cast<int>(next() % 1000000));
    t.c = sDB_date(static_cast<int>(1 + next() % 28), static_cast<int>(1 + next() % 12),
                   static_cast<int>(2000 + next() % 20))
              .text();
    t.e = floatToText(2, static_cast<double>(next() % 10000000) / 100.0);
    return t;
}

struct Fixture {
    std::unique_ptr<TVexoGrid> grid;
    std::unique_ptr<QStandardItemModel> model;
    std::unique_ptr<QTableView> view;
};

Fixture& fixture(int n) {
    static std::map<int, std::unique_ptr<Fixture>> cache;
    auto& slot = cache[n];
    if (slot) return *slot;
    slot = std::make_unique<Fixture>();
    Fixture& f = *slot;

    f.grid = std::make_unique<TVexoGrid>(nullptr);
    TVexoGrid& grid = *f.grid;
    grid.SetName("grid");
    grid.SetBounds(0, 0, kWidth, kHeight);
    grid.SetEditable(true);
    for (const ColumnShape& s : kColumns) {
        TVGColumn* c = grid.Columns()->Add();
        c->SetFieldName(s.field);
        c->SetDataType(s.type);
        c->SetWidth(s.width);
    }
    grid.HandleNeeded();
    // The sample application's row-data handler: one column read-only on some rows.
    TVexoGrid* g = &grid;
    grid.OnRowNeedData = [g](int row) { g->Columns()->Items(1)->SetReadOnly(g->GetRowData(row) == "RO"); };

    f.model = std::make_unique<QStandardItemModel>(0, 5);
    std::uint32_t seed = 20061001;
    for (int i = 0; i < n; ++i) {
        const RowTexts t = rowTexts(i, seed);
        grid.AddRow(i % 6 == 2 ? "RO" : "");
        grid.AddString(0, t.a);
        grid.AddString(1, t.b);
        grid.AddString(2, t.c);
        grid.AddString(3, sentence);
        grid.AddString(4, t.e);
        QList<QStandardItem*> items;
        items << new QStandardItem(QString::fromStdString(t.a))
              << new QStandardItem(QString::fromStdString(t.b))
              << new QStandardItem(QString::fromStdString(t.c))
              << new QStandardItem(QString::fromStdString(sentence))
              << new QStandardItem(QString::fromStdString(t.e));
        f.model->appendRow(items);
    }
    grid.SetRowIndex(0);

    f.view = std::make_unique<QTableView>();
    QTableView& view = *f.view;
    view.setModel(f.model.get());
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(kRowHeight);
    view.horizontalHeader()->setFixedHeight(TVGHead::DefaultHeight);
    for (int i = 0; i < 5; ++i)
        view.setColumnWidth(i, kColumns[i].width);
    view.resize(kWidth, kHeight);
    view.selectRow(0);
    return f;
}

QImage gridFrame(TVexoGrid& grid) {
    grid.Invalidate();
    grid.Head()->Invalidate();
    grid.Surface()->Invalidate();
    return RenderToImage(&grid);
}

QImage viewFrame(QTableView& view) {
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Medians by frame name ("top/100000"), grid first and Qt second, for the summary.
struct Results {
    std::map<std::string, std::pair<double, double>> rows;
    ~Results() {
        if (rows.empty()) return;
        std::printf("\n%-20s %12s %12s %10s\n", "frame", "VexoGrid", "QTableView", "Qt/grid");
        for (const auto& [name, v] : rows)
            std::printf("%-20s %9.3f ms %9.3f ms %10.2f\n", name.c_str(), v.first, v.second,
                        v.first > 0 ? v.second / v.first : 0.0);
    }
};
Results results;

const char* positionName(int64_t position) {
    return position == 0 ? "top" : "last row";
}

void scrollGrid(TVexoGrid& grid, int64_t position) {
    grid.SetRowTop(position == 0 ? 0 : grid.GetRowCount());
}

void scrollView(QTableView& view, int64_t position) {
    if (position == 0)
        view.scrollToTop();
    else
        view.scrollToBottom();
}

void BM_GridPaint(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Fixture& f = fixture(n);
    scrollGrid(*f.grid, state.range(1));
    if (gridFrame(*f.grid).size() != QSize(kWidth, kHeight)) state.SkipWithError("no frame");
    std::vector<double> times;
    for (auto _ : state) {
        const double t0 = cpuMs();
        const QImage frame = gridFrame(*f.grid);
        times.push_back(cpuMs() - t0);
        benchmark::DoNotOptimize(frame.constBits());
        state.SetIterationTime(times.back() / 1000);
    }
    const double m = median(times);
    results.rows[std::string(positionName(state.range(1))) + "/" + std::to_string(n)].first = m;
    state.counters["median_ms"] = m;
}

void BM_QtTableViewPaint(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Fixture& f = fixture(n);
    scrollView(*f.view, state.range(1));
    if (viewFrame(*f.view).size() != QSize(kWidth, kHeight)) state.SkipWithError("no frame");
    std::vector<double> times;
    for (auto _ : state) {
        const double t0 = cpuMs();
        const QImage frame = viewFrame(*f.view);
        times.push_back(cpuMs() - t0);
        benchmark::DoNotOptimize(frame.constBits());
        state.SetIterationTime(times.back() / 1000);
    }
    const double m = median(times);
    results.rows[std::string(positionName(state.range(1))) + "/" + std::to_string(n)].second = m;
    state.counters["median_ms"] = m;
}

// Both frames in turn within one loop, so that both see the same state of the machine (caches,
// frequency, other load): the ratio of this one is the steadiest figure.
void BM_PaintSideBySide(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Fixture& f = fixture(n);
    scrollGrid(*f.grid, state.range(1));
    scrollView(*f.view, state.range(1));
    std::vector<double> gridTimes, viewTimes;
    for (auto _ : state) {
        double t0 = cpuMs();
        const QImage ours = gridFrame(*f.grid);
        gridTimes.push_back(cpuMs() - t0);
        t0 = cpuMs();
        const QImage theirs = viewFrame(*f.view);
        viewTimes.push_back(cpuMs() - t0);
        benchmark::DoNotOptimize(ours.constBits());
        benchmark::DoNotOptimize(theirs.constBits());
        state.SetIterationTime((gridTimes.back() + viewTimes.back()) / 1000);
    }
    const double g = median(gridTimes), v = median(viewTimes);
    state.counters["grid_ms"] = g;
    state.counters["qt_ms"] = v;
    state.counters["qt_over_grid"] = g > 0 ? v / g : 0;
}

// The grid of 100,000 rows and the grid of 1,000,000 in turn within one loop, at the same place:
// a frame must not cost more for more rows, and only frames measured side by side show that
// through the machine's swings.
void BM_GridPaintScaling(benchmark::State& state) {
    Fixture& small = fixture(100000);
    Fixture& large = fixture(1000000);
    scrollGrid(*small.grid, state.range(0));
    scrollGrid(*large.grid, state.range(0));
    std::vector<double> smallTimes, largeTimes;
    for (auto _ : state) {
        double t0 = cpuMs();
        const QImage a = gridFrame(*small.grid);
        smallTimes.push_back(cpuMs() - t0);
        t0 = cpuMs();
        const QImage b = gridFrame(*large.grid);
        largeTimes.push_back(cpuMs() - t0);
        benchmark::DoNotOptimize(a.constBits());
        benchmark::DoNotOptimize(b.constBits());
        state.SetIterationTime((smallTimes.back() + largeTimes.back()) / 1000);
    }
    const double s = median(smallTimes), l = median(largeTimes);
    state.counters["rows100k_ms"] = s;
    state.counters["rows1M_ms"] = l;
    state.counters["1M_over_100k"] = s > 0 ? l / s : 0;
}

void shapes(benchmark::internal::Benchmark* b) {
    for (const int n : {100000, 1000000})
        for (const int position : {0, 1})
            b->Args({n, position});
    b->ArgNames({"rows", "last"})->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.5);
}

} // namespace

BENCHMARK(BM_GridPaint)->Apply(shapes);
BENCHMARK(BM_QtTableViewPaint)->Apply(shapes);
BENCHMARK(BM_PaintSideBySide)->Apply(shapes);
BENCHMARK(BM_GridPaintScaling)
    ->ArgName("last")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5);
