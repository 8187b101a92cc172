// The totals recalculation on large orders, and a clerk's override click on a
// 10,000-line order (the recalculation runs inside it).
#include "GeneratedOrder.h"

#include <zelt/OrderedItems.h>

#include <benchmark/benchmark.h>

#include <string>

namespace {

const std::string kFees = [] {
    std::string saved;
    for (int i = 0; i < 29; ++i) saved += (i >= 13 ? "0" : "0.00") + std::string("$F$");
    return "0.02$F$1.5$F$0$F$0.01$F$0$F$$R$True$F$False$F$False$F$False$F$False$F$False$F$False$F$False$R$" + saved +
           "$R$";
}();

std::unique_ptr<zelt::OrderedItems> loadedOrder(int lines, bool varied = false)
{
    auto control = std::make_unique<zelt::OrderedItems>();
    control->GetComboContent(zelt::bench::generatedLookups());
    control->setViewMode(zelt::Mode::UpdateMode);
    control->LetSalesTaxesNFees(kFees, "", "0$F$1000$F$25$R$1000.01$F$1000000000$F$60$R$");
    control->setReadData(zelt::bench::orderLines(lines, varied));
    return control;
}

/// Two recalculations per iteration: the service fee override ticked and
/// cleared, each running the recalculation over every line. A line's
/// description changes before each, as an edit would, so that no sum is
/// taken from the one before.
void BM_Recalculation(benchmark::State& state)
{
    auto control = loadedOrder(static_cast<int>(state.range(0)), state.range(1) != 0);
    zelt::view::CheckBox& box = control->form().chkServiceFee;
    zelt::view::Grid& grid = control->form().grdOrdItems;
    constexpr int kDescription = 12;
    for (auto _ : state) {
        grid.setText(1, kDescription, "Edited once");
        box.setValue(1);
        grid.setText(1, kDescription, "Edited twice");
        box.setValue(0);
        benchmark::DoNotOptimize(control->form().txtField[18].text().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}

/// The clerk ticks the service fee override on a 10,000-line order.
void BM_OverrideClick10k(benchmark::State& state)
{
    auto control = loadedOrder(10000);
    zelt::view::CheckBox& box = control->form().chkServiceFee;
    for (auto _ : state) {
        box.userClick();
        benchmark::DoNotOptimize(control->form().txtFee[5].text().size());
    }
}

} // namespace

BENCHMARK(BM_Recalculation)->Args({1000, 0})->Args({10000, 0})->Args({100000, 0})->Args({1000000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverrideClick10k)->Unit(benchmark::kMillisecond);
