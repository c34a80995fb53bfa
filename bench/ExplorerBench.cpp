// SPDX-License-Identifier: GPL-3.0-or-later
// The design explorer's cost on the window thread: one sweep recomputed and
// redrawn, and one keystroke in a main-window field while the explorer is open.
#include "ApplicationShell.h"
#include "DesignExplorer.h"
#include "LabeledEdit.h"
#include "RegionalSettings.h"
#include "uInterface.h"

#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

// The main window with the first example typed in and the explorer open
// beside it, sweeping 1.8-30 MHz in 1,000 points with its three default
// outputs.
struct OpenExplorer {
    eh::TForm1 form;
    eh::DesignExplorer explorer{form};

    bool Open()
    {
        const char* const texts[] = {"14.2", "50", "3", "1", "2", "50", "0"};
        for (std::size_t i = 0; i < form.Edits.size(); ++i)
            form.Edits[i]->setText(texts[i]);
        form.show();
        explorer.show();
        explorer.PointsEdit->setText("1000");
        explorer.Recompute();
        return QTest::qWaitForWindowExposed(&form) && QTest::qWaitForWindowExposed(&explorer) &&
               explorer.Sweep() && explorer.Sweep()->range.points == 1000;
    }
};

void BM_ExplorerRecomputeAndRedraw(benchmark::State& state)
{
    OpenExplorer open;
    if (!open.Open()) {
        state.SkipWithError("the explorer was not shown");
        return;
    }
    for (auto _ : state) {
        open.explorer.Recompute();
        // Paints the whole window now: chart, drawing, notes.
        open.explorer.repaint();
    }
}
BENCHMARK(BM_ExplorerRecomputeAndRedraw)->Unit(benchmark::kMillisecond);

// A keystroke in EC15 with the explorer open: the field takes the character
// and paints it, and the explorer only restarts its debounce timer. With
// `thenRedraw`, also the work the timer starts 150 ms later: the sweep
// recomputed and the explorer redrawn.
void BM_Keystroke(benchmark::State& state, bool thenRedraw)
{
    OpenExplorer open;
    if (!open.Open()) {
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
        if (thenRedraw) {
            open.explorer.Debounce->stop();
            open.explorer.Recompute();
            open.explorer.repaint();
        }
    }
    open.explorer.Debounce->stop();
}
BENCHMARK_CAPTURE(BM_Keystroke, WithExplorerOpen, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, ThenDebouncedRedraw, true)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The explorer starts from its defaults and leaves the user's settings alone.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    eh::TApplication application(argc, argv);
    eh::RegionalSettings::SetDecimalSeparator(',');
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
