// SPDX-License-Identifier: GPL-3.0-or-later
// A measured sweep of 1,000,000 points (a noisy series resonance, S in RI,
// about 60 bytes a line): the Touchstone text read and the resonance
// analysed, as --measured and the window do. Run:
//   build/bench/measured_bench --benchmark_min_time=3
// "points_per_second" is points read and analysed per second;
// "peak_rss_mb" the process's peak resident memory (the file's text itself
// included), "sweep_mb" what the points read take.
#include "ResonanceAnalysis.h"
#include "SyntheticSweep.h"
#include "Touchstone.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

const std::string& MillionPointFile()
{
    static const std::string file = eh::test::SyntheticTouchstone(
        {false, 14.2e6, 60, 42}, {'S', "RI", "MHZ", 50, 1'000'000, 6, 0.003});
    return file;
}

void BM_ReadAndAnalyse(benchmark::State& state)
{
    const std::string& file = MillionPointFile();
    std::size_t points = 0;
    std::size_t sweepBytes = 0;
    for (auto _ : state) {
        const eh::TTouchstoneReading reading = eh::ReadTouchstone(file);
        if (!reading.sweep) {
            state.SkipWithError("the file was refused");
            return;
        }
        const eh::TResonanceAnalysis analysis = eh::AnalyseResonance(*reading.sweep);
        benchmark::DoNotOptimize(analysis.q);
        points = reading.sweep->points.size();
        sweepBytes = reading.sweep->points.capacity() * sizeof(eh::TMeasuredPoint);
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * points));
    state.counters["points_per_second"] =
        benchmark::Counter(static_cast<double>(points), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["file_mb"] = static_cast<double>(file.size()) / 1e6;
    state.counters["sweep_mb"] = static_cast<double>(sweepBytes) / 1e6;
    state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1e3;
}
BENCHMARK(BM_ReadAndAnalyse)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
