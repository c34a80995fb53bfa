// SPDX-License-Identifier: GPL-3.0-or-later
// --measured and --bandwidth-from as a user runs them on an analyser's
// file: the figures in each format, the refusals and exit codes, and the
// design from a measured bandwidth byte for byte the design typed.
#include "CliTestSupport.h"
#include "NumberWord.h"
#include "SyntheticSweep.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace eh::test {
namespace {

using nlohmann::json;

const std::vector<std::string> kSixFields = {"14.2", "50", "3", "1", "2", "50"};

class CliMeasured : public testing::Test {
protected:
    std::string File(const std::string& name, const std::string& bytes)
    {
        const std::string path = (dir_.path() / name).string();
        WriteFileBytes(path, bytes);
        return path;
    }

    std::string Sweep(const TSyntheticResonance& resonance, const TSyntheticFormat& format = {})
    {
        return File("sweep.s1p", SyntheticTouchstone(resonance, format));
    }

private:
    TempDir dir_;
};

TEST_F(CliMeasured, JsonCarriesEveryFigureAndNullsWithTheirReason)
{
    const std::string path = Sweep({true, 7.1e6, 90, 35}, {'S', "DB", "KHZ", 50, 401, 4, 0.002});
    const ProcessResult result = RunCli({"--measured", path, "--format", "json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const json figures = json::parse(result.out);
    EXPECT_EQ(figures["points"], 401);
    EXPECT_NEAR(figures["resonance_mhz"].get<double>(), 7.1, 7.1 / 90 * 0.01);
    EXPECT_NEAR(figures["q"].get<double>(), 90, 0.9);
    EXPECT_NEAR(figures["bandwidth_khz"].get<double>(), 7100 / 90.0, 7100 / 90.0 * 0.01);
    EXPECT_NEAR(figures["r_ohm"].get<double>(), 35, 0.35);
    EXPECT_NEAR(figures["swr_min"].get<double>(), 50 / 35.0, 0.01);
    const double field = eh::ReadNumberWord(figures["bandwidth_field"].get<std::string>()).value;
    EXPECT_NEAR(field, figures["bandwidth_khz"].get<double>(), 5e-5 * field);
    for (const char* key : {"x_ohm", "swr_bandwidth_khz", "swr2_bandwidth_khz"})
        EXPECT_TRUE(figures[key].is_number()) << key;
    EXPECT_NE(figures["method"].get<std::string>().find("Yaghjian and Best"), std::string::npos);
    EXPECT_TRUE(figures["note"].is_null());

    // The sweep stops short of the resonance.
    TSyntheticFormat below{'S', "RI", "MHZ", 50, 101, 4};
    below.offsetBandwidths = -3;
    const ProcessResult edge = RunCli({"--measured", Sweep({false, 14.2e6, 60, 50}, below), "-f", "json"});
    ASSERT_EQ(edge.exitCode, 0) << edge.err;
    const json missing = json::parse(edge.out);
    for (const char* key : {"resonance_mhz", "r_ohm", "x_ohm", "q", "bandwidth_khz", "bandwidth_field",
                            "swr_bandwidth_khz", "swr2_bandwidth_khz"})
        EXPECT_TRUE(missing[key].is_null()) << key;
    EXPECT_EQ(missing["note"], "The smallest reflection is at the high end of the sweep: the resonance lies above "
                               "it; widen the sweep.");
}

TEST_F(CliMeasured, CsvHasOneRowPerPoint)
{
    // Matched, SWR 2.618 twice, a short circuit (no SWR, 0 dB), matched.
    const std::string path = File("z.s1p", "# MHZ Z RI R 50\n1 1 0\n2 0.5 0.5\n3 0 0\n4 2 -1\n5 1 0\n");
    const ProcessResult result = RunCli({"--measured", path, "-f", "csv"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> rows = SplitLines(result.out);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], "frequency_hz,r_ohm,x_ohm,swr,return_loss_db");
    EXPECT_EQ(rows[1], "1e+06,50.0,0.0,1.0,");
    EXPECT_EQ(rows[3], "3e+06,0.0,0.0,,0.0");
    for (const std::size_t row : {2u, 4u}) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t comma; (comma = rows[row].find(',', start)) != std::string::npos; start = comma + 1)
            fields.push_back(rows[row].substr(start, comma - start));
        fields.push_back(rows[row].substr(start));
        ASSERT_EQ(fields.size(), 5u);
        EXPECT_EQ(fields[1] + "," + fields[2], row == 2 ? "25.0,25.0" : "100.0,-50.0");
        EXPECT_NEAR(eh::ReadNumberWord(fields[3]).value, 2.618033988749895, 1e-12);
        EXPECT_NEAR(eh::ReadNumberWord(fields[4]).value, 6.9897000433601875, 1e-12); // 10 log10 5
    }
}

TEST_F(CliMeasured, ABadFileIsRefusedWithItsLineAndExitTwo)
{
    struct Case {
        const char* bytes;
        const char* message;
    };
    const Case cases[] = {
        {"", "no data points"},
        {"# MHZ S RI\n1 0 0\n2 0 0\n2 0 0\n", "line 4: the same frequency as the line before"},
        {"# MHZ S RI\n1 0 0 0 0 0 0 0 0\n", "line 2: not a one-port sweep (an .s1p file is needed)"},
        {"1 0 0\n2 0 nan\n", "line 2: a number that is infinite or not defined (nan, inf)"},
        {"1 0 0\n0.5 0 0\n", "line 2: a frequency below the line before (frequencies must rise)"},
    };
    for (const Case& c : cases) {
        const std::string path = File("bad.s1p", c.bytes);
        for (const char* option : {"--measured", "--bandwidth-from"}) {
            std::vector<std::string> args = {option, path};
            if (std::string(option) == "--bandwidth-from")
                args.insert(args.end(), kSixFields.begin(), kSixFields.end());
            const ProcessResult result = RunCli(args);
            EXPECT_EQ(result.exitCode, 2) << c.bytes;
            EXPECT_EQ(result.err, "eh-antenna-cli: \"" + path + "\"" + (c.message[0] == 'l' ? ", " : ": ") +
                                      c.message + "\n");
            EXPECT_EQ(result.out, "");
        }
    }
    const ProcessResult absent = RunCli({"--measured", File("x", "") + ".none"});
    EXPECT_EQ(absent.exitCode, 2);
    EXPECT_NE(absent.err.find("cannot read"), std::string::npos);
}

TEST_F(CliMeasured, BandwidthFromPrintsTheDesignTypedWithTheMeasuredBandwidth)
{
    const std::string path = Sweep({false, 14.2e6, 61.7, 42}, {'S', "MA", "MHZ", 50, 301, 4, 0.003});
    const ProcessResult measured = RunCli({"--measured", path});
    const std::string marker = "3 dB bandwidth (f0/Q): ";
    const std::size_t at = measured.out.find(marker);
    ASSERT_NE(at, std::string::npos) << measured.out;
    const std::string start = measured.out.substr(at + marker.size());
    const std::string bandwidth = start.substr(0, start.find(" kHz"));

    TempDir saved;
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"-s", ","}, {"-s", ".", "-f", "json"}, {"-f", "csv"}}) {
        std::vector<std::string> typed = options;
        typed.insert(typed.end(), kSixFields.begin(), kSixFields.end());
        typed.push_back(bandwidth);
        std::vector<std::string> fromFile = options;
        fromFile.insert(fromFile.end(), {"--bandwidth-from", path});
        fromFile.insert(fromFile.end(), kSixFields.begin(), kSixFields.end());
        const ProcessResult expected = RunCli(typed);
        const ProcessResult result = RunCli(fromFile);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, expected.out);
        EXPECT_EQ(result.err, expected.err);
    }
    const std::string typedFile = (saved.path() / "typed.txt").string();
    const std::string fromFile = (saved.path() / "from.txt").string();
    std::vector<std::string> typed = {"-s", ",", "-o", typedFile};
    typed.insert(typed.end(), kSixFields.begin(), kSixFields.end());
    typed.push_back(bandwidth);
    std::vector<std::string> measuredArgs = {"-s", ",", "-o", fromFile, "--bandwidth-from", path};
    measuredArgs.insert(measuredArgs.end(), kSixFields.begin(), kSixFields.end());
    ASSERT_EQ(RunCli(typed).exitCode, 0);
    ASSERT_EQ(RunCli(measuredArgs).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(fromFile), ReadFileBytes(typedFile));
}

TEST_F(CliMeasured, UsageAndNoBandwidthExitCodes)
{
    const std::string good = Sweep({false, 14.2e6, 60, 50});
    TSyntheticFormat above{'S', "RI", "MHZ", 50, 101, 4};
    above.offsetBandwidths = 3;
    const std::string edge = File("edge.s1p", SyntheticTouchstone({false, 14.2e6, 60, 50}, above));
    std::vector<std::string> seven = kSixFields;
    seven.push_back("500");
    std::vector<std::string> noBandwidth = {"--bandwidth-from", edge};
    noBandwidth.insert(noBandwidth.end(), kSixFields.begin(), kSixFields.end());
    std::vector<std::string> sevenFromFile = {"--bandwidth-from", good};
    sevenFromFile.insert(sevenFromFile.end(), seven.begin(), seven.end());

    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    };
    const Case cases[] = {
        {noBandwidth, 1,
         "eh-antenna-cli: \"" + edge + "\" gives no bandwidth: The smallest reflection is at the low end of the "
                                       "sweep: the resonance lies below it; widen the sweep.\n"},
        {sevenFromFile, 2,
         "eh-antenna-cli: --bandwidth-from takes the bandwidth from the file: expected the 6 other field texts, "
         "got 7\nRun with --help for more information.\n"},
        {{"--measured", good, "14.2"}, 2,
         "eh-antenna-cli: --measured takes no field texts (the sweep comes from the file)\n"
         "Run with --help for more information.\n"},
        {{"--measured", good, "--bandwidth-from", good}, 2,
         "eh-antenna-cli: --measured and --bandwidth-from cannot be combined\nRun with --help for more "
         "information.\n"},
        {{"--measured="}, 2, "eh-antenna-cli: --measured: the file name is empty\nRun with --help for more information.\n"},
    };
    for (const Case& c : cases) {
        const ProcessResult result = RunCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args.front();
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.out, "");
    }
}

} // namespace
} // namespace eh::test
