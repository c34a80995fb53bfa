// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the calculation core: one calculation, one report, and the number
// texts the report and the fields are made of.
#include "AntennaModel.h"
#include "CoreTestSupport.h"
#include "DesignService.h"
#include "NumberConversion.h"
#include "NumberFormat.h"
#include "Report.h"
#include "ReportText.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

using eh::test::ExampleA;

void BM_CalculateAntenna(benchmark::State& state)
{
    eh::TAntennaInputs in = ExampleA();
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        eh::TAntennaResults r = eh::CalculateAntenna(in);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_CalculateAntenna);

void BM_BuildReport(benchmark::State& state)
{
    const eh::TAntennaInputs in = ExampleA();
    const eh::TAntennaResults results = eh::CalculateAntenna(in);
    for (auto _ : state) {
        eh::TReport report = eh::BuildReport(in, results, ',');
        benchmark::DoNotOptimize(report.Lines.data());
    }
}
BENCHMARK(BM_BuildReport);

// One whole calculate-and-save as the design service runs it: the field
// texts read, the design calculated, its report and the saved file's bytes.
void BM_CalculateReportAndFileBytes(benchmark::State& state)
{
    const eh::TFieldTexts texts = {"14.2", "50", "3", "1", "2", "50", "0"};
    for (auto _ : state) {
        const eh::TDesign design = eh::CalculateDesign(eh::ReadFieldTexts(texts, ',').inputs);
        const eh::TReport report = eh::BuildReport(design.inputs, *design.results, ',');
        std::string bytes = eh::ReportFileBytes(eh::ReportPlainText(report));
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_CalculateReportAndFileBytes);

void BM_FormatReportNumber(benchmark::State& state)
{
    const std::array<double, 8> values = {14.2, 1540.454295, -100.0, 0.005, 1.005, 2211.23008, 1.5e20, -0.055024};
    size_t i = 0;
    for (auto _ : state) {
        std::string text = eh::FormatReportNumber(values[i++ % values.size()], ',');
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_FormatReportNumber);

void BM_ConvertFieldText(benchmark::State& state)
{
    const std::array<std::string, 8> texts = {"14.2", "50", "3", "1", "2", "50", "0", " 1106.167191e0 "};
    size_t i = 0;
    for (auto _ : state) {
        double value = eh::ConvertFieldText(texts[i++ % texts.size()], ',');
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_ConvertFieldText);

// A rejected text: the cost of building and throwing the conversion failure.
void BM_ConvertFieldTextRejected(benchmark::State& state)
{
    const std::string text = "abc";
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(eh::ConvertFieldText(text, ','));
        } catch (const std::exception& e) {
            benchmark::DoNotOptimize(e.what());
        }
    }
}
BENCHMARK(BM_ConvertFieldTextRejected);

} // namespace

BENCHMARK_MAIN();
