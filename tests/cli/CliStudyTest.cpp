// SPDX-License-Identifier: GPL-3.0-or-later
// --bands and --solve, and the sweep's grid counted exactly, as a user runs
// them: every solution typed back into the tool gives the target.
#include "CliTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace eh::test {
namespace {

using nlohmann::json;

const std::vector<std::string> kOtherFields = {"50", "3", "1", "2", "50", "500"}; // all but the frequency

std::vector<std::string> Args(std::vector<std::string> options, const std::vector<std::string>& fields)
{
    options.insert(options.end(), fields.begin(), fields.end());
    return options;
}

TEST(CliStudy, TheSweepReachesStopExactly)
{
    const ProcessResult result = RunCli({"--sweep", "bandwidth=83472.3866:83538.6068:0.0009", "14.2", "50", "3",
                                         "1", "2", "50", "_"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = SplitLines(result.out);
    EXPECT_EQ(lines.size(), 1 + 73'579u);
    EXPECT_EQ(lines.back().substr(0, 22), "14.2,50,3,83538.6068,1");
}

TEST(CliStudy, BandsInEachFormat)
{
    std::vector<std::string> fields = kOtherFields;
    fields.insert(fields.begin(), "_");
    const ProcessResult jsonLines = RunCli(Args({"--bands", "--region", "2", "-f", "json"}, fields));
    ASSERT_EQ(jsonLines.exitCode, 0) << jsonLines.err;
    const std::vector<std::string> lines = SplitLines(jsonLines.out);
    ASSERT_EQ(lines.size(), 11u);
    const json forty = json::parse(lines[3]);
    EXPECT_EQ(forty["band"], "40m");
    EXPECT_EQ(forty["low_khz"], 7000.0);
    EXPECT_EQ(forty["high_khz"], 7300.0);
    // The bandwidth is the design's own at the band's centre.
    const ProcessResult centre = RunCli({"-f", "json", "7.15", "50", "3", "1", "2", "50", "500"});
    const double bandwidth = json::parse(centre.out)["results"]["BandwidthKHz"];
    EXPECT_EQ(forty["bandwidth_khz"], bandwidth);
    EXPECT_EQ(forty["covers"], bandwidth >= 300);
    EXPECT_EQ(forty["settings"], forty["covers"] ? 1 : static_cast<int>(std::ceil(300 / bandwidth)));

    const ProcessResult csv = RunCli(Args({"--bands", "-f", "csv", "-s", ","}, fields));
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    const std::vector<std::string> rows = SplitLines(csv.out);
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[0], "band,low_khz,high_khz,bandwidth_khz,covers,settings");
    EXPECT_EQ(rows[3].substr(0, 18), "60m,5351.5,5366.5,");

    const ProcessResult text = RunCli(Args({"--bands", "-s", ","}, fields));
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(SplitLines(text.out)[1], "Band  Low kHz  High kHz  Bandwidth kHz  Covers  Settings");
    EXPECT_EQ(SplitLines(text.out)[4].substr(0, 26), "60m    5351,5    5366,5   ");
}

TEST(CliStudy, EverySolutionTypedBackGivesTheTarget)
{
    struct Case {
        std::string input;
        std::size_t field;
        std::string range;
        std::string result;
        double target;
        std::size_t solutions;
    };
    const std::vector<std::string> fields = {"14.2", "50", "3", "1", "2", "50", "500"};
    for (const Case& c : {Case{"cylinder-diameter", 1, "10:200", "BandwidthKHz", 500, 1},
                          Case{"frequency", 0, "1:60", "LengthToWavelengthPct", 0.9, 2},
                          Case{"cylinder-diameter", 1, "1:500", "TotalLengthCm", 20, 3},
                          Case{"frequency", 0, "-1:30", "QFactor", 10, 1}}) {
        SCOPED_TRACE(c.input + " " + c.result);
        std::vector<std::string> solveFields = fields;
        solveFields[c.field] = "_";
        const ProcessResult solved = RunCli(Args({"--solve", c.input + "=" + c.range, "--target",
                                                  c.result + "=" + std::to_string(c.target), "-f", "json"},
                                                 solveFields));
        ASSERT_EQ(solved.exitCode, 0) << solved.err;
        const json answer = json::parse(solved.out);
        EXPECT_EQ(answer["input"], c.input);
        EXPECT_EQ(answer["result"], c.result);
        EXPECT_EQ(answer["target"], c.target);
        ASSERT_EQ(answer["solutions"].size(), c.solutions);
        for (const json& solution : answer["solutions"]) {
            std::vector<std::string> design = fields;
            design[c.field] = solution.dump();
            const ProcessResult typedBack = RunCli(Args({"-f", "json"}, design));
            ASSERT_EQ(typedBack.exitCode, 0) << typedBack.err;
            const double value = json::parse(typedBack.out)["results"][c.result];
            EXPECT_LE(std::fabs(value - c.target), 1e-9 * c.target) << solution.dump();
        }
    }
}

TEST(CliStudy, NoSolutionAndBadRequests)
{
    const struct {
        std::vector<std::string> arguments;
        std::string err;
    } nones[] = {
        {{"--solve", "pitch=0:5", "--target", "EfficiencyPct=50", "14.2", "50", "3", "1", "_", "50", "500"},
         "eh-antenna-cli: no solution found on the grid: EfficiencyPct ranges from 97.93008354532292 to "
         "99.1574933427545 at the points of pitch from 0 to 5, and no two neighbouring points lie on either side "
         "of 50\n"},
        // The grid's step hides the solution next to the bandwidth of 0,
        // where the model has no figure for the loss.
        {{"--solve", "bandwidth=-1:1", "--target", "LossDb=-50", "14.2", "50", "3", "1", "2", "50", "_"},
         "eh-antenna-cli: warning: the design faults at 10000 of 20001 points of the range; no solution is known "
         "between them\n"
         "eh-antenna-cli: warning: LossDb has no figure at 1 of 20001 points of the range (no measured bandwidth); "
         "no solution is known across them\n"
         "eh-antenna-cli: no solution found on the grid: LossDb ranges from -48.04502537536535 to "
         "-8.677754543357494 at the points of bandwidth from -1 to 1, and no two neighbouring points lie on either "
         "side of -50\n"},
        {{"--solve", "frequency=1:10", "--target", "FlatArmGapCm=5", "_", "50", "3", "1", "2", "50"},
         "eh-antenna-cli: every value is a solution: FlatArmGapCm is constant: it is 5 at every point of frequency "
         "from 1 to 10\n"},
        {{"--solve", "frequency=1:10", "--target", "LossDb=0", "_", "50", "3", "1", "2", "50"},
         "eh-antenna-cli: no solution: LossDb has no figure at any point of frequency from 1 to 10 (no measured "
         "bandwidth)\n"},
    };
    for (const auto& none : nones) {
        const ProcessResult result = RunCli(none.arguments);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, none.err);
    }

    struct Bad {
        std::vector<std::string> options;
        std::string message;
    };
    for (const Bad& bad : {
             Bad{{"--solve", "pitch=5:0", "--target", "QFactor=1"}, "--solve: FROM must be below TO"},
             Bad{{"--solve", "pitch=1:1", "--target", "QFactor=1"}, "--solve: FROM must be below TO"},
             Bad{{"--solve", "pitch=nan:1", "--target", "QFactor=1"}, "--solve: FROM \"nan\" is not a number"},
             Bad{{"--solve", "pitch=-1e308:1e308", "--target", "QFactor=1"},
                 "--solve: the range from FROM to TO is too wide"},
             Bad{{"--solve", "pitch=0:1:2", "--target", "QFactor=1"},
                 "--solve: expected INPUT=FROM:TO, got \"pitch=0:1:2\""},
             Bad{{"--solve", "pitches=0:1", "--target", "QFactor=1"}, "--solve: unknown field \"pitches\""},
             Bad{{"--solve", "pitch=0:1", "--target", "Q=1"}, "--target: unknown result \"Q\""},
             Bad{{"--solve", "pitch=0:1", "--target", "QFactor=x"}, "--target: VALUE \"x\" is not a number"},
             Bad{{"--solve", "pitch=0:1"}, "--solve needs --target RESULT=VALUE"},
             Bad{{"--bands", "--region", "4"}, "--region: expected 1, 2 or 3, got \"4\""},
             Bad{{"--bands", "--sweep", "pitch=0:1:1"}, "--sweep and --bands cannot be combined"},
             Bad{{"--region", "1"}, "--region is an option of --bands"},
         }) {
        const ProcessResult result = RunCli(Args(bad.options, {"14.2", "50", "3", "1", "_", "50"}));
        EXPECT_EQ(result.exitCode, 2) << bad.message;
        EXPECT_EQ(result.err.find("eh-antenna-cli: " + bad.message), 0u) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

} // namespace
} // namespace eh::test
