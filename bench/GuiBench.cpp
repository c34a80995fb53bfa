// SPDX-License-Identifier: GPL-3.0-or-later
// The window side: the calculate command from the fields to the rendered
// pane, start-up from nothing to the main window shown (offscreen), and the
// help document read into the Help window.
#include "ApplicationShell.h"
#include "LabeledEdit.h"
#include "uHelp.h"
#include "uHelp2.h"
#include "uInterface.h"
#include "WindowTestMain.h"

#include <QTest>
#include <benchmark/benchmark.h>

namespace {

void FillExampleA(eh::TForm1& form)
{
    const char* const texts[] = {"14.2", "50", "3", "1", "2", "50", "0"};
    for (std::size_t i = 0; i < form.Edits.size(); ++i)
        form.Edits[i]->setText(texts[i]);
}

void BM_CalculateCommand(benchmark::State& state)
{
    eh::TForm1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        state.SkipWithError("the window was not shown");
        return;
    }
    FillExampleA(form);
    for (auto _ : state) {
        form.BitBtn1Click();
        // Let the pane lay out and paint what the command wrote.
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_CalculateCommand)->Unit(benchmark::kMillisecond);

void BM_StartUpToMainWindowShown(benchmark::State& state)
{
    for (auto _ : state) {
        eh::TForm1 form1;
        eh::TForm2 form2;
        // The help document as installed beside the program.
        eh::TForm3 form3({QStringLiteral(EH_HELP_DOCUMENT_DIR)});
        form3.FormCreate();
        form1.SetHelpWindows(&form2, &form3);
        form1.show();
        if (!QTest::qWaitForWindowExposed(&form1)) {
            state.SkipWithError("the window was not shown");
            return;
        }
    }
}
BENCHMARK(BM_StartUpToMainWindowShown)->Unit(benchmark::kMillisecond);

// The help document: the shipped file read (at start-up) and built into the
// Help window's pane (when the window first shows).
void BM_ReadHelpDocument(benchmark::State& state)
{
    eh::TForm3 form3({QStringLiteral(EH_HELP_DOCUMENT_DIR)});
    for (auto _ : state) {
        form3.FormCreate();
        form3.BuildHelpDocument();
    }
}
BENCHMARK(BM_ReadHelpDocument)->Unit(benchmark::kMillisecond);

} // namespace

EH_WINDOW_BENCHMARK_MAIN()
