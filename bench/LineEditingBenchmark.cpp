// A clerk's line commands on a 10,000-line order, and exporting 100,000 lines
// beside loading them. Each action runs as the clerk does it (open, fill,
// write); the order is put back with Undo outside the timing.
#include "GeneratedOrder.h"

#include <zelt/OrderedItems.h>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>

namespace {

/// The clerk answers Yes to every question.
class AnswerYes : public zelt::view::MessageBoxService {
public:
    zelt::view::MessageBoxAnswer show(const zelt::view::MessageBoxRequest& request) override
    {
        return request.buttons == zelt::view::MessageBoxButtons::YesNo ? zelt::view::MessageBoxAnswer::Yes
                                                                        : zelt::view::MessageBoxAnswer::Ok;
    }
};

std::unique_ptr<zelt::OrderedItems> order(int lines, zelt::Mode mode = zelt::Mode::UpdateMode)
{
    zelt::Services services;
    services.messageBoxes = std::make_shared<AnswerYes>();
    auto control = std::make_unique<zelt::OrderedItems>(services);
    control->setZeltEvent("PurchaseOrder");
    control->GetComboContent(zelt::bench::generatedLookups());
    control->setViewMode(mode);
    control->setReadData(zelt::bench::generatedLines(lines));
    return control;
}

/// Times `action` on a 10,000-line order and takes it back untimed.
void clerkAction(benchmark::State& state, zelt::Mode mode, const std::function<void(zelt::OrderedItems&)>& action)
{
    auto control = order(10000, mode);
    for (auto _ : state) {
        action(*control);
        state.PauseTiming();
        if (!control->Undo()) state.SkipWithError("the action left nothing to undo");
        state.ResumeTiming();
    }
}

void BM_AddLine10k(benchmark::State& state)
{
    clerkAction(state, zelt::Mode::UpdateMode, [](zelt::OrderedItems& c) {
        auto& f = c.form();
        f.cmdAdd.userClick();
        f.txtField[1].typeText("Desk organiser");
        f.txtField[3].typeText("3");
        f.txtField[4].typeText("14.50");
        f.cmdAdd.userClick();
    });
}

void BM_UpdateLine10k(benchmark::State& state)
{
    clerkAction(state, zelt::Mode::UpdateMode, [](zelt::OrderedItems& c) {
        auto& f = c.form();
        f.grdOrdItems.userClick(1, 12);
        f.cmdEdit.userClick();
        f.txtField[3].selectAll();
        f.txtField[3].typeText("7");
        f.cmdAdd.userClick();
    });
}

void BM_DeleteFirstLine10k(benchmark::State& state)
{
    clerkAction(state, zelt::Mode::AddMode, [](zelt::OrderedItems& c) {
        auto& f = c.form();
        f.grdOrdItems.userClick(1, 12);
        f.cmdDelete.userClick();
    });
}

void BM_PopupAddCopy10k(benchmark::State& state)
{
    clerkAction(state, zelt::Mode::UpdateMode, [](zelt::OrderedItems& c) {
        auto& f = c.form();
        f.grdOrdItems.userClick(1, 12);
        f.grdOrdItems.userMouseUp(zelt::view::MouseButton::Right, 1, 12);
        f.mnuCopyMenu[1].userClick(); // Copy
        f.mnuCopyMenu[1].userClick(); // Add
    });
}

void BM_Paste1000Rows10k(benchmark::State& state)
{
    std::string rows;
    for (int i = 0; i < 1000; ++i)
        rows += "Pasted item " + std::to_string(i) + "\tP-" + std::to_string(i) + "\t2\tEach\t12.50\t1.5\tFedEx\n";
    clerkAction(state, zelt::Mode::UpdateMode, [&rows](zelt::OrderedItems& c) { c.PasteLines(rows); });
}

void BM_ReadDataGet(benchmark::State& state)
{
    auto control = order(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(control->readData().size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_AddLine10k)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_UpdateLine10k)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_DeleteFirstLine10k)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_PopupAddCopy10k)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_Paste1000Rows10k)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ReadDataGet)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
