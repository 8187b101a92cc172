// Loading an order: readData Let on generated orders, beside a bare split of
// the same text into records and fields (the least any loader must do).
#include "GeneratedOrder.h"

#include <zelt/OrderedItems.h>
#include <zelt/text/Split.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

void BM_BareSplit(benchmark::State& state)
{
    const std::string text = zelt::bench::generatedLines(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<std::vector<std::string>> records;
        for (std::string_view record : zelt::text::splitRecords(text, "$R$")) {
            auto fields = zelt::text::split(record, "$F$");
            records.emplace_back(fields.begin(), fields.end());
        }
        benchmark::DoNotOptimize(records.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReadDataLet(benchmark::State& state)
{
    const std::string text = zelt::bench::generatedLines(static_cast<int>(state.range(0)));
    zelt::OrderedItems control;
    control.GetComboContent(zelt::bench::generatedLookups());
    control.setViewMode(zelt::Mode::UpdateMode);
    for (auto _ : state) {
        control.setReadData(text);
        benchmark::DoNotOptimize(control.form().grdOrdItems.rows());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_BareSplit)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDataLet)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
