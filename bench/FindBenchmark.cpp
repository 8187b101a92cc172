// Finding lines on orders of 100,000 and 1,000,000 lines, regular and varied:
// the first search after a load (which folds the order's texts), a search as
// the clerk types on, and the next match. The baseline is one memmem pass
// over the same cell texts, unfolded, gathered once outside the timing.
#include "GeneratedOrder.h"

#include <zelt/OrderedItems.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int kDescription = 13, kModel = 9, kAck = 18;

std::unique_ptr<zelt::OrderedItems> order(benchmark::State& state)
{
    const int lines = static_cast<int>(state.range(0));
    auto control = std::make_unique<zelt::OrderedItems>();
    zelt::bench::loadGeneratedOrder(*control, zelt::bench::orderLines(lines, state.range(1) != 0));
    return control;
}

// A word some lines hold in their descriptions, in the case the clerk types.
const char* word(benchmark::State& state) { return state.range(1) ? "Elegante" : "LUMBAR"; }

void BM_FindBaselineMemmem(benchmark::State& state)
{
    auto control = order(state);
    const auto& grid = control->form().grdOrdItems;
    std::string hay;
    for (int r = 1; r < grid.rows(); ++r)
        for (int c : {kDescription, kModel, kAck}) (hay += grid.text(r, c)) += '\x1f';
    const std::string needle = state.range(1) ? "Élégante" : "lumbar";
    for (auto _ : state) {
        std::size_t hits = 0;
        for (const char* at = hay.data(); const void* p = memmem(at, static_cast<std::size_t>(hay.data() + hay.size() - at),
                                                                 needle.data(), needle.size());
             at = static_cast<const char*>(p) + 1)
            ++hits;
        benchmark::DoNotOptimize(hits);
    }
}

/// Times `action` right after each load of the order (the load untimed).
template <typename Action>
void afterEachLoad(benchmark::State& state, Action action)
{
    const std::string text = zelt::bench::orderLines(static_cast<int>(state.range(0)), state.range(1) != 0);
    zelt::OrderedItems control;
    for (auto _ : state) {
        state.PauseTiming();
        zelt::bench::loadGeneratedOrder(control, text);
        state.ResumeTiming();
        benchmark::DoNotOptimize(action(control));
    }
}

// The first search after a load folds the whole order.
void BM_FindFirstAfterLoad(benchmark::State& state)
{
    afterEachLoad(state, [&state](zelt::OrderedItems& c) { return c.FindLines(word(state), 1); });
}

// One slice of the folding a window does between events after the find bar opens.
void BM_FindPrepareSlice(benchmark::State& state)
{
    afterEachLoad(state, [](zelt::OrderedItems& c) { return c.PrepareFindLines(32768); });
}

// Each key changes the text: the window finds the match at once and leaves
// the count to slices (the next benchmarks). Typing on a word and taking its
// last letter back, then a text no line holds (the whole order scanned).
/// One key of the window's search an iteration, the text going back and
/// forth between two.
void keysBetween(benchmark::State& state, const std::string& one, const std::string& other)
{
    auto control = order(state);
    control->FindLines("x", 1);
    const std::string texts[] = {one, other};
    std::size_t key = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(control->FindLines(texts[key++ % 2], 1, zelt::FindDirection::Forward, zelt::FindCount::Later));
}

void BM_FindAsTheClerkTypes(benchmark::State& state)
{
    const std::string typed = word(state);
    keysBetween(state, typed.substr(0, typed.size() - 1), typed);
}

void BM_FindKeyNothingHolds(benchmark::State& state) { keysBetween(state, "zq#1", "zq#2"); }

// One slice of the count between events, for a single letter: nearly every
// line holds it, the most a slice can find.
void BM_FindCountSlice(benchmark::State& state)
{
    auto control = order(state);
    control->FindLines("x", 1);
    const char* letters[] = {"e", "a"};
    std::size_t key = 0;
    for (auto _ : state) {
        const char* letter = letters[key++ % 2];
        control->FindLines(letter, 1, zelt::FindDirection::Forward, zelt::FindCount::Later);
        benchmark::DoNotOptimize(control->PrepareFindLines(32768, letter));
    }
}

// The whole count at once, as a search without a window does it.
void BM_FindCountWhole(benchmark::State& state)
{
    auto control = order(state);
    const std::string typed = word(state);
    const std::string texts[] = {typed.substr(0, typed.size() - 1), typed};
    std::size_t key = 0;
    for (auto _ : state) benchmark::DoNotOptimize(control->FindLines(texts[key++ % 2], 1));
}

// F3 with the same text: the matches of the last search serve.
void BM_FindNextMatch(benchmark::State& state)
{
    auto control = order(state);
    int from = 1;
    for (auto _ : state) {
        const zelt::LineMatch m = control->FindLines(word(state), from);
        from = m.row + 1;
        benchmark::DoNotOptimize(m);
    }
}

// Arguments: lines, varied (1) or regular (0).
void orders(benchmark::internal::Benchmark* b) { b->ArgsProduct({{100000, 1000000}, {0, 1}})->Unit(benchmark::kMillisecond); }

} // namespace

BENCHMARK(BM_FindBaselineMemmem)->Apply(orders);
BENCHMARK(BM_FindFirstAfterLoad)->Apply(orders)->Iterations(5);
BENCHMARK(BM_FindPrepareSlice)->Apply(orders)->Iterations(5);
BENCHMARK(BM_FindAsTheClerkTypes)->Apply(orders);
BENCHMARK(BM_FindKeyNothingHolds)->Apply(orders);
BENCHMARK(BM_FindCountSlice)->Apply(orders);
BENCHMARK(BM_FindCountWhole)->Apply(orders);
BENCHMARK(BM_FindNextMatch)->Apply(orders);
