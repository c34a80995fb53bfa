// SPDX-License-Identifier: GPL-3.0-or-later
// Designs per second through eh-antenna-cli's --batch code path, end to end
// in the process: JSON Lines in (parsed, fields read as the window reads
// them), the calculation, the full JSON report out. Run:
//   build/bench/cli_batch_bench --benchmark_min_time=2
// "items_per_second" is request lines per second (wall clock);
// "full_reports_per_s" counts only the lines answered with a whole design
// (about 4% of the generated lines are faults or fields that are not numbers).
// BM_DesignJson compares the tool's JSON writer with the same object built
// and dumped through nlohmann::ordered_json, the reason the tool keeps its
// own writer.
#include "Batch.h"
#include "DesignService.h"
#include "Formats.h"
#include "Report.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <random>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

// Requests like a script would send: varied frequencies, sizes and
// bandwidths, the point and the comma mixed, about one in 50 with a field
// that is not a number and one in 50 that faults.
std::string MakeRequests(int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> frequency(1.8, 54.0);
    std::uniform_int_distribution<int> diameter(20, 120);
    std::uniform_int_distribution<int> bandwidth(0, 900);
    std::uniform_int_distribution<int> kind(0, 49);
    std::string requests;
    char text[64];
    for (int i = 0; i < count; ++i) {
        const int which = kind(random);
        std::snprintf(text, sizeof text, "%.3f", which == 0 ? 0.0 : frequency(random));
        std::string f = text;
        if (i % 2 == 0)
            f[f.find('.')] = ',';
        requests += "{\"frequency\":\"" + f + "\",\"cylinder-diameter\":\"" + std::to_string(diameter(random)) +
                    "\",\"ratio\":\"3\",\"wire-diameter\":\"1" + (which == 1 ? "x" : "") +
                    "\",\"pitch\":\"2\",\"turn-diameter\":\"50\",\"bandwidth\":\"" + std::to_string(bandwidth(random)) +
                    "\",\"separator\":\",\"}\n";
    }
    return requests;
}

// Counts what is written and keeps nothing: the cost of the output is the
// tool's own formatting, not a growing string.
class CountingBuffer : public std::streambuf {
public:
    std::size_t bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override
    {
        bytes += static_cast<std::size_t>(n);
        return n;
    }
    int_type overflow(int_type c) override
    {
        if (c != traits_type::eof())
            ++bytes;
        return c;
    }
};

// range(0): lines per run.
void BM_BatchDesigns(benchmark::State& state)
{
    const int lines = static_cast<int>(state.range(0));
    const std::string requests = MakeRequests(lines, 2024);
    std::size_t written = 0;
    std::size_t designs = 0;
    for (auto _ : state) {
        std::istringstream in(requests);
        CountingBuffer buffer;
        std::ostream out(&buffer);
        const eh::cli::BatchCounts counts = eh::cli::RunBatch(in, out, '.');
        written += buffer.bytes;
        designs += counts.designs;
        benchmark::DoNotOptimize(counts);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * lines);
    state.SetBytesProcessed(static_cast<std::int64_t>(written));
    state.counters["full_reports_per_s"] =
        benchmark::Counter(static_cast<double>(designs), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BatchDesigns)->ArgName("lines")->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same, the answers kept in a string stream as an in-process caller
// would (this includes growing that string to ~80 MB).
void BM_BatchDesignsIntoStringStream(benchmark::State& state)
{
    const int lines = static_cast<int>(state.range(0));
    const std::string requests = MakeRequests(lines, 7);
    for (auto _ : state) {
        std::istringstream in(requests);
        std::ostringstream out;
        benchmark::DoNotOptimize(eh::cli::RunBatch(in, out, '.'));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * lines);
}
BENCHMARK(BM_BatchDesignsIntoStringStream)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// One design's full JSON line as nlohmann::ordered_json would write it.
std::string NlohmannDesignJson(const eh::TAntennaInputs& inputs, const eh::TAntennaResults& results, char separator)
{
    using Json = nlohmann::ordered_json;
    Json design = Json::object();
    Json& inputObject = design["inputs"] = Json::object();
    for (const std::size_t i : eh::InputRecordOrder())
        inputObject[eh::InputTable()[i].member] = inputs.*eh::InputTable()[i].value;
    Json& resultObject = design["results"] = Json::object();
    for (const eh::TResultInfo& info : eh::ResultTable())
        resultObject[info.member] = results.*info.value;
    Json& report = design["report"] = Json::array();
    eh::ForEachReportLine(inputs, results, separator, [&report](const eh::TReportLine& line) {
        Json& object = report.emplace_back(Json::object());
        object["kind"] = eh::cli::LineKindName(static_cast<int>(line.Kind));
        object["text"] = line.Text;
        Json& runs = object["runs"] = Json::array();
        for (const eh::TStyleRun& run : line.Runs) {
            Json& style = runs.emplace_back(Json::object());
            style["start"] = run.Start;
            style["length"] = run.Length;
            style["bold"] = run.Bold;
            style["underline"] = run.Underline;
            style["size"] = run.Size;
        }
    });
    design["notice"] = eh::PitchNeedsNotice(inputs) ? Json(eh::kPitchNotice) : Json(nullptr);
    return design.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// range(0): 0 the tool's writer, 1 nlohmann::ordered_json.
void BM_DesignJson(benchmark::State& state)
{
    const bool nlohmann = state.range(0) == 1;
    eh::TAntennaInputs inputs{14.2, 50, 3, 0, 1, 2, 50};
    const eh::TAntennaResults results = eh::CalculateAntenna(inputs);
    std::string hand;
    eh::cli::AppendDesignJson(hand, inputs, results, ',');
    if (hand != NlohmannDesignJson(inputs, results, ','))
        state.SkipWithError("the two writers disagree");
    for (auto _ : state) {
        std::string line;
        if (nlohmann)
            line = NlohmannDesignJson(inputs, results, ',');
        else
            eh::cli::AppendDesignJson(line, inputs, results, ',');
        benchmark::DoNotOptimize(line);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_DesignJson)->ArgName("nlohmann")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
