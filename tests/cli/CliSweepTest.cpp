// SPDX-License-Identifier: GPL-3.0-or-later
// --sweep: one row per value, faults carried by their rows.
#include "CliTestSupport.h"

#include "AntennaModel.h"
#include "CoreTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>

namespace eh::test {
namespace {

using nlohmann::json;

std::vector<std::string> Cells(const std::string& row)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = row.find(',', start);
        cells.push_back(row.substr(start, comma - start));
        if (comma == std::string::npos)
            return cells;
        start = comma + 1;
    }
}

// The reference design at another frequency.
TAntennaInputs ExampleAt(double frequency)
{
    TAntennaInputs inputs = ExampleA();
    inputs.FrequencyMHz = frequency;
    return inputs;
}

TEST(CliSweep, CsvRowsWithFaultingRows)
{
    const ProcessResult result = RunCli({"-s", ",", "--sweep", "frequency=-1:2:1", "_", "50", "3", "1", "2", "50"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::vector<std::string> lines = SplitLines(result.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].substr(0, 13), "FrequencyMHz,");
    EXPECT_EQ(lines[1], "-1,50,3,0,1,2,50,,,,,,,,,,,,,,,,,,,,,,,,,,EInvalidOp,Invalid floating point operation.");
    EXPECT_EQ(lines[2], "0,50,3,0,1,2,50,,,,,,,,,,,,,,,,,,,,,,,,,,EZeroDivide,Floating point division by zero.");
    for (int row = 3; row <= 4; ++row) {
        const std::vector<std::string> cells = Cells(lines[row]);
        ASSERT_EQ(cells.size(), 34u);
        const TAntennaResults expected = CalculateAntenna(ExampleAt(row - 2));
        EXPECT_EQ(std::strtod(cells[0].c_str(), nullptr), row - 2);
        EXPECT_EQ(std::strtod(cells[7].c_str(), nullptr), expected.CapacitancePf);
        EXPECT_EQ(std::strtod(cells[8].c_str(), nullptr), expected.ReactanceOhm);
        EXPECT_EQ(std::strtod(cells[30].c_str(), nullptr), expected.FlatArmGapCm);
        EXPECT_EQ(cells[32], "");
    }
}

TEST(CliSweep, ValuesLieOnTheDecimalGridOfStartAndStep)
{
    // 1.8 + 1 * 0.1 is 1.9000000000000001 in doubles; the row reads 1.9, as
    // typed. The grid counts in the smallest unit of the texts ("15e-2":
    // hundredths).
    struct GridCase {
        std::string sweep;
        std::vector<std::string> values;
    };
    const std::vector<GridCase> cases = {
        {"frequency=1.8:2.0:0.1", {"1.8", "1.9", "2"}},
        {"frequency=0:1:0.1", {"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"}},
        {"frequency=0,7:0,2:-0,15", {"0.7", "0.55", "0.4", "0.25"}},
        {"frequency=1:1.5:15e-2", {"1", "1.15", "1.3", "1.45"}},
    };
    for (const GridCase& grid : cases) {
        const ProcessResult result = RunCli({"-s", ",", "--sweep", grid.sweep, "_", "50", "3", "1", "2", "50"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::vector<std::string> lines = SplitLines(result.out);
        ASSERT_EQ(lines.size(), grid.values.size() + 1) << grid.sweep;
        for (std::size_t i = 0; i < grid.values.size(); ++i)
            EXPECT_EQ(Cells(lines[1 + i])[0], grid.values[i]) << grid.sweep << " row " << i;
    }
}

TEST(CliSweep, DownwardsAndSingleValue)
{
    const ProcessResult down = RunCli({"-s", ",", "--sweep", "pitch=2:0.5:-0.5", "14.2", "50", "3", "1", "_", "50"});
    ASSERT_EQ(down.exitCode, 0) << down.err;
    const std::vector<std::string> lines = SplitLines(down.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(Cells(lines[1])[5], "2");
    EXPECT_EQ(Cells(lines[4])[5], "0.5");
    // Rows with the pitch below the wire carry the notice; stderr warns once.
    EXPECT_EQ(Cells(lines[3])[31], "");
    EXPECT_EQ(Cells(lines[4])[31], "Ошибка!!! Шаг намотки меньше диаметра провода!");
    EXPECT_EQ(down.err, "eh-antenna-cli: warning: Ошибка!!! Шаг намотки меньше диаметра провода! (1 of 4 rows)\n");

    const ProcessResult single = RunCli({"-s", ",", "--sweep", "bandwidth=500:500:-1", "14.2", "50", "3", "1", "2", "50"});
    ASSERT_EQ(single.exitCode, 0);
    EXPECT_EQ(SplitLines(single.out).size(), 2u);
}

TEST(CliSweep, JsonLinesWithFaultRow)
{
    const ProcessResult result =
        RunCli({"-s", ",", "-f", "json", "--sweep", "frequency=0:14.2:14.2", "_", "50", "3", "1", "2", "50"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = SplitLines(result.out);
    ASSERT_EQ(lines.size(), 2u);
    const json fault = json::parse(lines[0]);
    EXPECT_EQ(fault["error"], json::parse(R"({"kind":"EZeroDivide","message":"Floating point division by zero."})"));
    EXPECT_EQ(fault["inputs"]["FrequencyMHz"].get<double>(), 0.0);
    EXPECT_FALSE(fault.contains("results"));
    const json design = json::parse(lines[1]);
    EXPECT_EQ(design["results"]["QFactor"].get<double>(), CalculateAntenna(ExampleA()).QFactor);
    EXPECT_EQ(design["report"].size(), 38u);
    EXPECT_EQ(design["report"][1]["text"], "Частота = 14,20 МГц");
}

TEST(CliSweep, ReportOverflowFaultsTheRowInCsvToo)
{
    const ProcessResult result =
        RunCli({"-s", ",", "--sweep", "ratio=1e306:1e307:9e306", "1e-6", "50", "_", "1", "2", "50"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = SplitLines(result.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Cells(lines[1])[32], "");
    EXPECT_EQ(Cells(lines[2])[32], "EOverflow");
    EXPECT_EQ(Cells(lines[2])[33], "Floating point overflow.");
}

TEST(CliSweep, OtherFieldsAreStillRead)
{
    const ProcessResult result = RunCli({"-s", ",", "--sweep", "frequency=1:2:1", "_", "x", "3", "1", "2", "50"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "eh-antenna-cli: CYLINDER_DIAMETER (EC16, cylinder diameter in mm) is not a number: \"x\"\n");
}

struct GuardCase {
    std::string sweep;
    std::string message;
};

void PrintTo(const GuardCase& guard, std::ostream* os) { *os << guard.sweep; }

class CliSweepGuard : public ::testing::TestWithParam<GuardCase> {};

TEST_P(CliSweepGuard, ExitsWithTwo)
{
    const ProcessResult result = RunCli({"-s", ",", "--sweep", GetParam().sweep, "_", "50", "3", "1", "2", "50"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "eh-antenna-cli: --sweep: " + GetParam().message + "\nRun with --help for more information.\n");
}

INSTANTIATE_TEST_SUITE_P(
    Guards, CliSweepGuard,
    ::testing::Values(
        GuardCase{"frequency=1:2:0", "STEP must not be zero"},
        GuardCase{"frequency=1:2:-0", "STEP must not be zero"},
        GuardCase{"frequency=1:2:-1", "STEP must be positive to go from START to STOP"},
        GuardCase{"frequency=2:1:1", "STEP must be negative to go from START to STOP"},
        GuardCase{"frequency=0:1e7:1", "more than 1000000 rows; use a larger STEP or a smaller range"},
        GuardCase{"frequency=0:1:1e-300", "more than 1000000 rows; use a larger STEP or a smaller range"},
        GuardCase{"frequency=0:1e6:1", "more than 1000000 rows; use a larger STEP or a smaller range"},
        GuardCase{"frequency=-1e308:1e308:1e300", "the range from START to STOP is too wide"},
        GuardCase{"frequency=9007199254740993:9007199254740995:1",
                  "STEP \"1\" is finer than doubles can tell apart between START and STOP"},
        GuardCase{"frequency=1:2:1e400", "STEP \"1e400\" is beyond the double range"},
        GuardCase{"frequency=nan:2:1", "START \"nan\" is not a number"},
        GuardCase{"frequency=1:inf:1", "STOP \"inf\" is not a number"},
        GuardCase{"frequency=1:2", "expected NAME=START:STOP:STEP, got \"frequency=1:2\""},
        GuardCase{"frequency=1:2:3:4", "expected NAME=START:STOP:STEP, got \"frequency=1:2:3:4\""},
        GuardCase{"frequency", "expected NAME=START:STOP:STEP, got \"frequency\""},
        GuardCase{"colour=1:2:1",
                  "unknown field \"colour\" (the names are frequency, cylinder-diameter, ratio, wire-diameter, "
                  "pitch, turn-diameter, bandwidth)"}));

TEST(CliSweep, TextFormatAndOutputAreRefused)
{
    const ProcessResult text = RunCli({"-s", ",", "-f", "text", "--sweep", "frequency=1:2:1", "_", "50", "3", "1", "2", "50"});
    EXPECT_EQ(text.exitCode, 2);
    EXPECT_EQ(text.err, "eh-antenna-cli: --sweep writes csv or json, not text\nRun with --help for more information.\n");
    TempDir dir;
    ProcessOptions options;
    options.workingDirectory = dir.path().string();
    const ProcessResult output = RunCli({"-s", ",", "-o", "x.txt", "--sweep", "frequency=1:2:1", "_", "50", "3", "1", "2", "50"}, options);
    EXPECT_EQ(output.exitCode, 2);
    EXPECT_TRUE(dir.Entries().empty());
    EXPECT_EQ(output.err,
              "eh-antenna-cli: --sweep cannot save a report file (--output)\nRun with --help for more information.\n");
}

} // namespace
} // namespace eh::test
