// Opening the window on a large order and scrolling to its end, beside loading
// the same lines headless in the same run.
#include "GeneratedOrder.h"

#include <zelt/OrderedItems.h>
#include <zelt/OrderedItemsWidget.h>

#include <QApplication>
#include <QScrollBar>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void BM_HeadlessLoad(benchmark::State& state)
{
    const std::string text = zelt::bench::generatedLines(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        zelt::OrderedItems control;
        control.GetComboContent(zelt::bench::generatedLookups());
        control.setViewMode(zelt::Mode::UpdateMode);
        control.setReadData(text);
        benchmark::DoNotOptimize(control.form().grdOrdItems.rows());
    }
}

void BM_WidgetOpenAndScrollToEnd(benchmark::State& state)
{
    const std::string text = zelt::bench::generatedLines(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        zelt::OrderedItemsWidget widget;
        widget.resize(1280, 800);
        widget.show();
        zelt::OrderedItems& control = widget.control();
        control.GetComboContent(zelt::bench::generatedLookups());
        control.setViewMode(zelt::Mode::UpdateMode);
        control.setReadData(text);
        QApplication::processEvents();
        QTableView* view = widget.gridView();
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
        view->viewport()->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(view->rowAt(0));
    }
}

} // namespace

BENCHMARK(BM_HeadlessLoad)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WidgetOpenAndScrollToEnd)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
