// SPDX-License-Identifier: GPL-3.0-or-later
// The design explorer's cost on the window thread: one sweep recomputed and
// redrawn, one keystroke in a main-window field while the explorer is open,
// the longest the window thread is busy while a big sweep is shown, and the
// memory a big sweep takes.
#include "ApplicationShell.h"
#include "DesignExplorer.h"
#include "LabeledEdit.h"
#include "uInterface.h"
#include "WindowTestMain.h"
#include "WindowControls.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

using eh::test::Control;

namespace {

// The main window with the first example typed in and the explorer open
// beside it at its default size, sweeping 1.8-30 MHz in `points` points
// with the first `outputs` outputs of the list.
struct OpenExplorer {
    eh::TForm1 form;
    eh::DesignExplorer explorer{form};

    bool Open(int points, int outputs)
    {
        const char* const texts[] = {"14.2", "50", "3", "1", "2", "50", "0"};
        for (std::size_t i = 0; i < form.Edits.size(); ++i)
            form.Edits[i]->setText(texts[i]);
        for (int row = 0; row < Control<QListWidget>(explorer, "Outputs")->count(); ++row)
            Control<QListWidget>(explorer, "Outputs")->item(row)->setCheckState(row < outputs ? Qt::Checked : Qt::Unchecked);
        form.show();
        explorer.resize(1100, 640);
        explorer.show();
        Control<QLineEdit>(explorer, "PointsEdit")->setText(QString::number(points));
        explorer.Recompute();
        explorer.WaitForSweep();
        return QTest::qWaitForWindowExposed(&form) && QTest::qWaitForWindowExposed(&explorer) &&
               explorer.Sweep() && explorer.Sweep()->plan.points == std::size_t(points);
    }
};

// Everything from the fields to the pixels: the sweep (on the worker, waited
// for), the plots made and the whole window painted.
void BM_ExplorerRecomputeAndRedraw(benchmark::State& state)
{
    OpenExplorer open;
    if (!open.Open(int(state.range(0)), int(state.range(1)))) {
        state.SkipWithError("the explorer was not shown");
        return;
    }
    for (auto _ : state) {
        open.explorer.Recompute();
        open.explorer.WaitForSweep();
        open.explorer.repaint();
    }
}
BENCHMARK(BM_ExplorerRecomputeAndRedraw)->Args({1000, 6})->Unit(benchmark::kMillisecond);

// The window thread's share when a finished sweep arrives: the plots made
// from it (thinned to the screen) and painted. The longest the main window
// can wait for a keystroke's echo while the explorer follows it.
void BM_ShowFinishedSweep(benchmark::State& state)
{
    OpenExplorer open;
    if (!open.Open(int(state.range(0)), int(state.range(1)))) {
        state.SkipWithError("the explorer was not shown");
        return;
    }
    for (auto _ : state) {
        open.explorer.Redraw();
        open.explorer.repaint();
    }
}
BENCHMARK(BM_ShowFinishedSweep)->Args({1000, 6})->Args({100000, 24})->Unit(benchmark::kMillisecond);

// A keystroke in EC15 with the explorer open, echoed and painted: the
// explorer only restarts its debounce timer, and the sweep it starts 150 ms
// later runs on the worker.
void BM_Keystroke(benchmark::State& state)
{
    OpenExplorer open;
    if (!open.Open(int(state.range(0)), int(state.range(1)))) {
        state.SkipWithError("the explorer was not shown");
        return;
    }
    open.form.Edits.front()->setFocus();
    open.form.Edits.front()->end(false);
    bool typed = false;
    for (auto _ : state) {
        QTest::keyClick(open.form.Edits.front(), typed ? Qt::Key_Backspace : Qt::Key_5);
        typed = !typed;
        open.form.repaint();
    }
    Control<QTimer>(open.explorer, "Debounce")->stop();
}
BENCHMARK(BM_Keystroke)->Args({100000, 24})->Unit(benchmark::kMillisecond);

// The process's peak resident memory after a sweep of 100,000 points with
// all 24 outputs drawn and three of them pinned.
void BM_PeakMemory(benchmark::State& state)
{
    OpenExplorer open;
    if (!open.Open(100000, 24)) {
        state.SkipWithError("the explorer was not shown");
        return;
    }
    for (auto _ : state) {
        for (const char* diameter : {"40", "60", "70"}) {
            open.form.Edits[1]->setText(diameter);
            open.explorer.Recompute();
            open.explorer.WaitForSweep();
            open.explorer.Pin();
        }
        open.explorer.repaint();
        open.explorer.ClearPinned();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024;
}
BENCHMARK(BM_PeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

EH_WINDOW_BENCHMARK_MAIN()
