// Loading an order: readData Let on generated orders, beside a bare split of
// the same text into records and fields (the least any loader must do).
#include "GeneratedOrder.h"

#include <zelt/OrderedItems.h>
#include <zelt/text/Split.h>

#include <benchmark/benchmark.h>

#include <cstring>
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

/// The least any loader must do: one memchr pass over the text that finds
/// every record and field, with no allocation. The baseline of the load.
void BM_MemchrSplit(benchmark::State& state)
{
    const std::string text = zelt::bench::generatedLines(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::size_t records = 0, fields = 0, fieldBytes = 0;
        const char* at = text.data();
        const char* const end = text.data() + text.size();
        const char* fieldStart = at;
        while (const void* hit = std::memchr(at, '$', static_cast<std::size_t>(end - at))) {
            const char* dollar = static_cast<const char*>(hit);
            if (end - dollar >= 3 && dollar[2] == '$' && (dollar[1] == 'R' || dollar[1] == 'F')) {
                ++fields;
                fieldBytes += static_cast<std::size_t>(dollar - fieldStart);
                if (dollar[1] == 'R') ++records;
                at = fieldStart = dollar + 3;
            } else {
                at = dollar + 1;
            }
        }
        benchmark::DoNotOptimize(records + fields + fieldBytes);
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
BENCHMARK(BM_MemchrSplit)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDataLet)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
