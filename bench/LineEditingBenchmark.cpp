// A clerk's line commands on orders of 10,000 and 100,000 lines, and exporting
// 100,000 lines beside loading them. Each action runs as the clerk does it
// (open, fill, write); the order is put back with Undo outside the timing.
// The goal for every action is one frame, 16 ms.
#include "GeneratedOrder.h"

#include <zelt/OrderedItems.h>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

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

/// An order of `lines` lines: the regular generated one, or with
/// `varied` the one whose dates, units, statuses and amounts vary by line.
std::unique_ptr<zelt::OrderedItems> order(int lines, bool varied, zelt::Mode mode = zelt::Mode::UpdateMode)
{
    zelt::Services services;
    services.messageBoxes = std::make_shared<AnswerYes>();
    auto control = std::make_unique<zelt::OrderedItems>(services);
    control->setZeltEvent("PurchaseOrder");
    control->GetComboContent(zelt::bench::generatedLookups());
    control->setViewMode(mode);
    control->setReadData(zelt::bench::orderLines(lines, varied));
    return control;
}

/// Times `action` on an order of state.range(0) lines (varied when
/// state.range(1) is 1) and takes it back untimed.
void clerkAction(benchmark::State& state, zelt::Mode mode, const std::function<void(zelt::OrderedItems&)>& action)
{
    auto control = order(static_cast<int>(state.range(0)), state.range(1) != 0, mode);
    for (auto _ : state) {
        action(*control);
        state.PauseTiming();
        if (!control->Undo()) state.SkipWithError("the action left nothing to undo");
        state.ResumeTiming();
    }
}

void BM_AddLine(benchmark::State& state)
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

void BM_UpdateLine(benchmark::State& state)
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

void BM_DeleteFirstLine(benchmark::State& state)
{
    clerkAction(state, zelt::Mode::AddMode, [](zelt::OrderedItems& c) {
        auto& f = c.form();
        f.grdOrdItems.userClick(1, 12);
        f.cmdDelete.userClick();
    });
}

void BM_PopupAddCopy(benchmark::State& state)
{
    clerkAction(state, zelt::Mode::UpdateMode, [](zelt::OrderedItems& c) {
        auto& f = c.form();
        f.grdOrdItems.userClick(1, 12);
        f.grdOrdItems.userMouseUp(zelt::view::MouseButton::Right, 1, 12);
        f.mnuCopyMenu[1].userClick(); // Copy
        f.mnuCopyMenu[1].userClick(); // Add
    });
}

void BM_Paste1000Rows(benchmark::State& state)
{
    std::string rows;
    for (int i = 0; i < 1000; ++i)
        rows += "Pasted item " + std::to_string(i) + "\tP-" + std::to_string(i) + "\t2\tEach\t12.50\t1.5\tFedEx\n";
    clerkAction(state, zelt::Mode::UpdateMode, [&rows](zelt::OrderedItems& c) { c.PasteLines(rows); });
}

/// Undo of a deleted line (the delete itself is redone untimed); with
/// `settled`, once a window has finished its renumbering between events, so
/// that the old line numbers come back as a rewrite of their own.
void undoDelete(benchmark::State& state, bool settled)
{
    auto control = order(static_cast<int>(state.range(0)), state.range(1) != 0, zelt::Mode::AddMode);
    auto& f = control->form();
    for (auto _ : state) {
        state.PauseTiming();
        f.grdOrdItems.userClick(1, 12);
        f.cmdDelete.userClick();
        if (settled) f.grdOrdItems.settle(f.grdOrdItems.rows());
        state.ResumeTiming();
        if (!control->Undo()) state.SkipWithError("nothing to undo");
    }
}

void BM_UndoDelete(benchmark::State& state) { undoDelete(state, false); }
void BM_UndoDeleteSettled(benchmark::State& state) { undoDelete(state, true); }

/// One slice of the renumbering a window does between events after a delete
/// at the top (65,536 lines, as the window's slices).
void BM_RenumberSlice(benchmark::State& state)
{
    auto control = order(static_cast<int>(state.range(0)), state.range(1) != 0, zelt::Mode::AddMode);
    auto& f = control->form();
    auto& grid = f.grdOrdItems;
    for (auto _ : state) {
        state.PauseTiming();
        if (grid.settled()) {
            if (grid.rows() <= state.range(0)) control->Undo(); // back to the whole order
            grid.settle(grid.rows());
            grid.userClick(1, 12);
            f.cmdDelete.userClick();
        }
        state.ResumeTiming();
        grid.settle(65536);
    }
}

/// Every 100th line selected (10,000 of 1,000,000), as Ctrl clicks leave them.
void selectEveryHundredth(zelt::OrderedItems& c)
{
    auto& grid = c.form().grdOrdItems;
    std::vector<int> rows;
    for (int r = 1; r < grid.rows(); r += 100) rows.push_back(r);
    grid.userClick(1, 12);
    grid.setSelection(std::move(rows));
}

/// Deleting the selected lines (one question, one renumbering, one undo step).
void BM_DeleteSelected(benchmark::State& state)
{
    clerkAction(state, zelt::Mode::AddMode, [&state](zelt::OrderedItems& c) {
        state.PauseTiming();
        selectEveryHundredth(c);
        state.ResumeTiming();
        c.form().cmdDelete.userClick();
    });
}

/// Copying the selected lines as pasteable text.
void BM_CopySelected(benchmark::State& state)
{
    auto control = order(static_cast<int>(state.range(0)), state.range(1) != 0);
    selectEveryHundredth(*control);
    for (auto _ : state) benchmark::DoNotOptimize(control->CopyLines());
}

/// One key typed into an overridden box, then one backspace: each key runs
/// the box's change handling and the recalculation. Range 1 picks the box: 0
/// the brokerage fee, 1 the state tax; range 2 the varied order.
void BM_BoxKey(benchmark::State& state)
{
    auto control = order(static_cast<int>(state.range(0)), state.range(2) != 0);
    auto& f = control->form();
    const bool tax = state.range(1) == 1;
    if (tax) f.chkTaxes[13].userClick();
    else f.chkDutyBrokerageFee.userClick();
    zelt::view::TextBox& box = tax ? f.txtFieldTax[13] : f.txtFee[0];
    box.setFocus();
    box.typeText("12");
    const std::string before = box.text();
    for (auto _ : state) {
        box.typeText("5");
        if (box.text() == before) state.SkipWithError("the box took no key");
        box.typeKey(8); // Backspace
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

void BM_ReadDataGet(benchmark::State& state)
{
    auto control = order(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) benchmark::DoNotOptimize(control->readData().size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// Lines and kind: the regular order of 10,000 and 100,000 lines and the
/// varied one of 1,000,000.
void sizes(benchmark::internal::Benchmark* b) { b->Args({10000, 0})->Args({100000, 0})->Args({1000000, 1}); }

} // namespace

BENCHMARK(BM_AddLine)->Apply(sizes)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_UpdateLine)->Apply(sizes)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_DeleteFirstLine)->Apply(sizes)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_PopupAddCopy)->Apply(sizes)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_Paste1000Rows)->Apply(sizes)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_UndoDelete)->Apply(sizes)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_UndoDeleteSettled)->Apply(sizes)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_RenumberSlice)->Args({1000000, 1})->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_DeleteSelected)->Args({100000, 0})->Args({1000000, 1})->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CopySelected)->Args({100000, 0})->Args({1000000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoxKey)->ArgsProduct({{10000, 100000}, {0, 1}, {0}})->ArgsProduct({{1000000}, {0, 1}, {1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDataGet)->Apply(sizes)->Unit(benchmark::kMillisecond);
