// Loading an order: readData Let on generated orders, beside a bare split of
// the same text into records and fields (the least any loader must do).
#include "GeneratedOrder.h"

#include <zelt/OrderedItems.h>
#include <zelt/text/Split.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <malloc.h>
#include <unistd.h>
#include <string>
#include <vector>

namespace {

/// The order of state.range(0) lines: the regular generated one, or with
/// state.range(1) set, one whose lines vary in everything.
std::string orderText(const benchmark::State& state)
{
    return zelt::bench::orderLines(static_cast<int>(state.range(0)), state.range(1) != 0);
}

// Arguments: lines, varied; the regular order at three sizes, the varied one
// at 100,000 and 1,000,000 lines.
void orderSizes(benchmark::internal::Benchmark* b)
{
    b->Args({1000, 0})->Args({10000, 0})->Args({100000, 0})->Args({100000, 1})->Args({1000000, 1});
    b->Unit(benchmark::kMillisecond);
}

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
    const std::string text = orderText(state);
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

/// The loader's own split: every record and field found by the record
/// reader, beside the memchr baseline.
void BM_RecordReader(benchmark::State& state)
{
    const std::string text = orderText(state);
    std::vector<std::string_view> fields;
    for (auto _ : state) {
        std::size_t count = 0;
        zelt::text::RecordReader reader(text, "$R$", "$F$");
        while (reader.next(fields)) count += fields.size();
        benchmark::DoNotOptimize(count);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReadDataLet(benchmark::State& state)
{
    const std::string text = orderText(state);
    zelt::OrderedItems control;
    control.GetComboContent(zelt::bench::generatedLookups());
    control.setViewMode(zelt::Mode::UpdateMode);
    for (auto _ : state) {
        control.setReadData(text);
        benchmark::DoNotOptimize(control.form().grdOrdItems.rows());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// Resident memory of the process now, in bytes (Linux).
std::size_t residentBytes()
{
    malloc_trim(0); // what the allocator keeps free is not the order's
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

/// What a loaded order costs in memory over an empty control, against the
/// bytes of its exchange text (the baseline), after one load and after a
/// second load of the same order.
void BM_OrderMemory(benchmark::State& state)
{
    const std::string text = orderText(state);
    for (auto _ : state) {
        zelt::OrderedItems control;
        control.GetComboContent(zelt::bench::generatedLookups());
        control.setViewMode(zelt::Mode::UpdateMode);
        const std::size_t empty = residentBytes();
        control.setReadData(text);
        const std::size_t first = residentBytes();
        control.setReadData(text);
        const std::size_t second = residentBytes();
        const auto over = [&](std::size_t bytes) {
            return static_cast<double>(bytes > empty ? bytes - empty : 0) / static_cast<double>(text.size());
        };
        state.counters["text_MB"] = static_cast<double>(text.size()) / 1e6;
        state.counters["first_x_text"] = over(first);
        state.counters["second_x_text"] = over(second);
    }
}

} // namespace

BENCHMARK(BM_OrderMemory)->Args({100000, 0})->Args({1000000, 1})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSplit)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemchrSplit)->Apply(orderSizes);
BENCHMARK(BM_RecordReader)->Args({100000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDataLet)->Apply(orderSizes);
