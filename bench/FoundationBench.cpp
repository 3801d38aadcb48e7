// The foundation's hot paths at the sizes the grid uses them: the block array that holds a million
// row records, and the text conversions that sorting and painting run once per cell.
#include "values/VexoConvert.h"
#include "values/nBlockArray.h"
#include "values/sDB_date.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <string>
#include <vector>

using namespace vexo;

namespace {

struct RowLike {
    int key = 0;
    std::string text;
};

void BM_BlockArrayAdd(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        nBlockArray<RowLike> rows;
        for (int i = 0; i < n; ++i)
            rows.add()->key = i;
        benchmark::DoNotOptimize(rows.count());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_BlockArrayAdd)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_BlockArraySort(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    nBlockArray<RowLike> rows;
    for (int i = 0; i < n; ++i)
        rows.add();
    std::uint32_t seed = 12345;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < n; ++i) {
            seed = seed * 1664525u + 1013904223u;
            rows.get(i)->key = static_cast<int>(seed >> 8);
        }
        state.ResumeTiming();
        rows.sort([](const RowLike* a, const RowLike* b) { return (a->key > b->key) - (a->key < b->key); });
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_BlockArraySort)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_MoneyToText(benchmark::State& state) {
    double v = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(moneyToText(v));
        v += 1234.567;
    }
}
BENCHMARK(BM_MoneyToText);

void BM_TextToMoney(benchmark::State& state) {
    const std::vector<std::string> texts = {"1.234.567,89", "0,00", "-1.234,50", "999,50"};
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(textToMoney(texts[i++ % texts.size()]));
}
BENCHMARK(BM_TextToMoney);

void BM_DateParseAndCompare(benchmark::State& state) {
    const std::vector<std::string> texts = {"05/01/2006", "29/02/2008", "31/12/1999", "01/03/2024"};
    std::size_t i = 0;
    sDB_date d;
    for (auto _ : state) {
        d.setText(texts[i++ % texts.size()]);
        benchmark::DoNotOptimize(d.dayNumber());
    }
}
BENCHMARK(BM_DateParseAndCompare);

} // namespace
