// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile help documents, opened in the Help window as a user would meet
// them (read, laid out and shown, offscreen): one-cell table rows followed by
// a row of the most columns, at the top level and nested in a cell, and
// thousands of character formats between changes to the font and colour
// tables, a tall table nested eight deep, and plain text of millions of
// lines. Each must open within 2 s and 300 MB; peak_rss_mb is the
// process's peak, so run one shape per process for its figure
// (--benchmark_filter).
#include "ApplicationShell.h"
#include "RtfLimits.h"
#include "uHelp2.h"
#include "WindowTestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

// 16,383 one-cell rows, then a row of the most columns; three times.
QByteArray ShortRowsThenALongOne(bool nested)
{
    const QByteArray start = nested ? "\\itap2 " : "\\intbl ";
    const QByteArray cell = nested ? "\\nestcell " : "\\cell ";
    const QByteArray row = nested ? "{\\*\\nesttableprops\\trowd\\nestrow}" : "\\row ";
    QByteArray block = (start + "a" + cell + row).repeated(16383) + start;
    for (int i = 0; i < eh::kMaxRtfTableColumns; ++i)
        block += "b" + cell;
    block = (block + row).repeated(3);
    if (nested)
        block = "\\intbl outer\\par" + block + "\\pard\\intbl\\cell\\row";
    return "{\\rtf1 " + block + "}";
}

// 13,100 combinations of size, bold and italic, each after a new default
// font, font name or colour entry (which empty the reader's format cache).
QByteArray FormatsBetweenTableChanges()
{
    QByteArray body;
    for (int i = 0; i < 13100; ++i) {
        const QByteArray n = QByteArray::number(i);
        const QByteArray changes[] = {"\\deff" + n, "{\\fonttbl{\\f" + n + " F" + n + ";}}",
                                      "{\\colortbl;\\red" + QByteArray::number(i % 256) + "\\green0\\blue0;}\\cf1"};
        body += changes[i % 3] + "\\fs" + QByteArray::number(i / 4 + 2) + (i % 2 ? "\\b" : "\\b0") +
                (i / 2 % 2 ? "\\i" : "\\i0") + " x";
    }
    return "{\\rtf1 " + body + "}";
}

// A table nested `depth` deep whose innermost table has `rows` one-cell
// rows, each cell a number and `words` words of ten letters.
QByteArray TallNestedTable(int depth, int rows, int words = 0)
{
    const QByteArray itap = "\\pard\\intbl\\itap";
    const QByteArray nestedEnd = "\\nestcell{\\*\\nesttableprops\\nestrow}";
    const QByteArray text = QByteArray(" abcdefghij").repeated(words);
    QByteArray body;
    for (int i = 0; i < rows; ++i)
        body += itap + QByteArray::number(depth) + " x" + QByteArray::number(i) + text + nestedEnd;
    for (int level = depth - 1; level > 1; --level)
        body += itap + QByteArray::number(level) + nestedEnd;
    return "{\\rtf1 " + body + itap + "1\\cell\\row\\pard end\\par}";
}

void OpenHelpWindow(benchmark::State& state, const QByteArray& document)
{
    QTemporaryDir folder;
    QFile file(QDir(folder.path()).filePath(eh::kHelpFileName));
    if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size()) {
        state.SkipWithError("cannot write the document");
        return;
    }
    file.close();
    // A document over the reader's limits brings the notice up: closed at
    // once, as a user would.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* notice = QApplication::activeModalWidget())
            notice->close();
    });
    closer.start(1);
    for (auto _ : state) {
        eh::TForm3 window({folder.path()});
        window.FormCreate();
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            state.SkipWithError("the window was not shown");
            return;
        }
        QCoreApplication::processEvents();
    }
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["document_kb"] = static_cast<double>(document.size()) / 1024;
    state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024;
}

void BM_HelpWindowTableShortRowsThenLong(benchmark::State& state) { OpenHelpWindow(state, ShortRowsThenALongOne(false)); }
BENCHMARK(BM_HelpWindowTableShortRowsThenLong)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_HelpWindowNestedTableShortRowsThenLong(benchmark::State& state)
{
    OpenHelpWindow(state, ShortRowsThenALongOne(true));
}
BENCHMARK(BM_HelpWindowNestedTableShortRowsThenLong)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_HelpWindowFormatsBetweenTableChanges(benchmark::State& state)
{
    OpenHelpWindow(state, FormatsBetweenTableChanges());
}
BENCHMARK(BM_HelpWindowFormatsBetweenTableChanges)->Unit(benchmark::kMillisecond)->Iterations(1);

// Depth, rows, then words in each cell.
void BM_HelpWindowTallNestedTable(benchmark::State& state)
{
    OpenHelpWindow(state, TallNestedTable(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                          static_cast<int>(state.range(2))));
}
BENCHMARK(BM_HelpWindowTallNestedTable)
    ->Args({2, 1000, 0})
    ->Args({8, 1000, 0})
    ->Args({8, 4000, 0})
    ->Args({2, 1000, 100})
    ->Args({8, 1000, 100})
    ->Args({8, 10, 1000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// Help documents that are not RTF: 30 million line feeds, and a million
// short lines.
void BM_HelpWindowPlainTextLineFeeds(benchmark::State& state) { OpenHelpWindow(state, QByteArray(30'000'000, '\n')); }
BENCHMARK(BM_HelpWindowPlainTextLineFeeds)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_HelpWindowPlainTextShortLines(benchmark::State& state)
{
    OpenHelpWindow(state, QByteArray("a\n").repeated(1'000'000));
}
BENCHMARK(BM_HelpWindowPlainTextShortLines)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    eh::test::WindowTestApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    // The shapes as files, for rtf2text: --write-shapes FOLDER.
    if (argc == 3 && QByteArray(argv[1]) == "--write-shapes") {
        const std::pair<const char*, QByteArray> shapes[] = {
            {"table.rtf", ShortRowsThenALongOne(false)},
            {"nested-table.rtf", ShortRowsThenALongOne(true)},
            {"formats.rtf", FormatsBetweenTableChanges()},
            {"tall-nested-table.rtf", TallNestedTable(8, 1000)}};
        for (const auto& [name, bytes] : shapes) {
            QFile file(QDir(QString::fromLocal8Bit(argv[2])).filePath(QString::fromLatin1(name)));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                return 1;
        }
        return 0;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
