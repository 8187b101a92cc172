// Opening the window on a large order and scrolling to its end, beside loading
// the same lines headless in the same run.
#include "GeneratedOrder.h"

#include <zelt/OrderedItems.h>
#include <zelt/OrderedItemsWidget.h>

#include <QApplication>
#include <QScrollBar>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <QKeyEvent>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace {

/// Shows the widget at a desktop size, as a host's order screen would.
void showAtDesktopSize(zelt::OrderedItemsWidget& widget)
{
    widget.resize(1280, 800);
    widget.show();
}

void BM_HeadlessLoad(benchmark::State& state)
{
    const std::string text = zelt::bench::orderLines(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        zelt::OrderedItems control;
        zelt::bench::loadGeneratedOrder(control, text, zelt::Mode::UpdateMode);
        benchmark::DoNotOptimize(control.form().grdOrdItems.rows());
    }
}

void BM_WidgetOpenAndScrollToEnd(benchmark::State& state)
{
    const std::string text = zelt::bench::orderLines(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        zelt::OrderedItemsWidget widget;
        showAtDesktopSize(widget);
        zelt::OrderedItems& control = widget.control();
        zelt::bench::loadGeneratedOrder(control, text, zelt::Mode::UpdateMode);
        QApplication::processEvents();
        QTableView* view = widget.gridView();
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
        view->viewport()->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(view->rowAt(0));
    }
}

/// The clerk deletes the first line of a 10,000-line order in the window:
/// every line below moves up and is renumbered on screen. Undone untimed.
void BM_WidgetDeleteFirstLine10k(benchmark::State& state)
{
    struct AnswerYes : zelt::view::MessageBoxService {
        zelt::view::MessageBoxAnswer show(const zelt::view::MessageBoxRequest&) override
        {
            return zelt::view::MessageBoxAnswer::Yes;
        }
    };
    zelt::Services services;
    services.messageBoxes = std::make_shared<AnswerYes>();
    zelt::OrderedItemsWidget widget(nullptr, services);
    showAtDesktopSize(widget);
    zelt::OrderedItems& control = widget.control();
    zelt::bench::loadGeneratedOrder(control, zelt::bench::generatedLines(10000), zelt::Mode::AddMode);
    QApplication::processEvents();
    auto& f = control.form();
    for (auto _ : state) {
        f.grdOrdItems.userClick(1, 12);
        f.cmdDelete.userClick();
        widget.gridView()->viewport()->repaint();
        QApplication::processEvents();
        state.PauseTiming();
        control.Undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

/// The clerk pages down through a large order in the window, one
/// PageDown at a time: each page's handling and repaint is timed, and the
/// longest one (the stall the clerk would feel) is reported beside the median.
void BM_WidgetPageThrough(benchmark::State& state)
{
    zelt::OrderedItemsWidget widget;
    showAtDesktopSize(widget);
    zelt::OrderedItems& control = widget.control();
    zelt::bench::loadGeneratedOrder(control, zelt::bench::orderLines(static_cast<int>(state.range(0)), state.range(1) != 0),
                                    zelt::Mode::UpdateMode);
    QApplication::processEvents();
    QTableView* view = widget.gridView();
    view->setFocus();
    std::vector<double> pages;
    for (auto _ : state) {
        for (int page = 0; page < 200; ++page) {
            const auto start = std::chrono::steady_clock::now();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
            QApplication::sendEvent(view, &press);
            view->viewport()->repaint();
            QApplication::processEvents();
            pages.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
    }
    std::sort(pages.begin(), pages.end());
    state.counters["page_median_ms"] = pages[pages.size() / 2];
    state.counters["page_max_ms"] = pages.back();
}

} // namespace

// Arguments: lines, and 1 for the varied order.
BENCHMARK(BM_WidgetPageThrough)->Args({100000, 0})->Args({1000000, 1})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WidgetDeleteFirstLine10k)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_HeadlessLoad)->Args({100000, 0})->Args({1000000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WidgetOpenAndScrollToEnd)->Args({100000, 0})->Args({1000000, 1})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
