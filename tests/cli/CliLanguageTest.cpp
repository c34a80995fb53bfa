// SPDX-License-Identifier: GPL-3.0-or-later
// eh-antenna-cli in English and in inches, run as a process.
#include "CliTestSupport.h"
#include "ExampleReport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>

namespace eh::test {
namespace {

using nlohmann::json;

const std::vector<std::string> kExampleA = {"14.2", "50", "3", "1", "2", "50"};

std::vector<std::string> With(std::vector<std::string> options, const std::vector<std::string>& fields)
{
    options.insert(options.end(), fields.begin(), fields.end());
    return options;
}

std::vector<std::string> EnglishLines()
{
    std::vector<std::string> lines;
    for (const ExpectedReportLine& line : kExampleAReportEnglish)
        lines.emplace_back(line.text);
    return lines;
}

TEST(CliLanguage, EnglishPrintsThe38EnglishLines)
{
    const ProcessResult result = RunCli(With({"--language", "en", "-s", ","}, kExampleA));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, JoinLines(EnglishLines(), "\n"));
}

TEST(CliLanguage, RussianIsTheDefaultAndCanBeNamed)
{
    const ProcessResult named = RunCli(With({"--language", "ru", "--units", "mm", "-s", ","}, kExampleA));
    EXPECT_EQ(named.exitCode, 0);
    EXPECT_EQ(named.out, JoinLines(ExampleAReportLines(), "\n"));
}

TEST(CliLanguage, EnglishFileIsWindows1251WithCrLf)
{
    TempDir dir;
    const auto file = dir.path() / "report.txt";
    const ProcessResult result = RunCli(With({"--language=en", "-s", ",", "-o", file.string()}, kExampleA));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::string expected = JoinLines(EnglishLines(), "\r\n");
    const std::string micro = "\xC2\xB5"; // U+00B5 in UTF-8
    expected.replace(expected.find(micro), micro.size(), "\xB5");
    EXPECT_EQ(ReadFileBytes(file), expected);
}

TEST(CliLanguage, EnglishPitchNoticeAndJsonReport)
{
    const ProcessResult result = RunCli({"--language", "en", "-f", "json", "14.2", "50", "3", "2", "1", "50"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "eh-antenna-cli: warning: Error! The winding pitch is less than the wire diameter!\n");
    const json design = json::parse(result.out);
    EXPECT_EQ(design["notice"], "Error! The winding pitch is less than the wire diameter!");
    EXPECT_EQ(design["report"][0]["text"], "EH Antenna Design");
    EXPECT_TRUE(design["results"].contains("CapacitancePf"));
}

TEST(CliUnits, InchTextsGiveTheMillimetreDesign)
{
    const ProcessResult metric = RunCli({"-f", "json", "14.2", "50", "3", "1", "2", "50"});
    // 1/25.4 to 15 significant digits: the results agree to the digits given.
    const ProcessResult imperial = RunCli({"--units", "in", "-f", "json", "14.2", "1.96850393700787", "3",
                                           "0.0393700787401575", "0.078740157480315", "1.96850393700787"});
    ASSERT_EQ(imperial.exitCode, 0) << imperial.err;
    const json a = json::parse(metric.out);
    const json b = json::parse(imperial.out);
    for (const auto& [key, value] : a["results"].items()) {
        const double expected = value.get<double>();
        EXPECT_NEAR(b["results"][key].get<double>(), expected, std::fabs(expected) * 1e-13) << key;
    }
}

TEST(CliUnits, JsonAndCsvStayInMillimetres)
{
    const std::vector<std::string> inches = {"14.2", "1.968503937", "3", "0.0393700787", "0.0787401575", "1.968503937"};
    const ProcessResult result = RunCli(With({"--units", "in", "-f", "json", "-s", "."}, inches));
    const json design = json::parse(result.out);
    // The decimal products, read as millimetre texts are.
    EXPECT_EQ(design["inputs"]["CylinderDiameterMm"].get<double>(), 49.9999999998);
    EXPECT_EQ(design["inputs"]["WireDiameterMm"].get<double>(), 0.99999999898);
    EXPECT_EQ(design["inputs"]["WindingPitchMm"].get<double>(), 2.0000000005);
    EXPECT_EQ(design["report"][2]["text"], "Диаметр цилиндров = 1.969 дюйм");

    const ProcessResult csv = RunCli(With({"--units", "in", "-f", "csv"}, inches));
    EXPECT_EQ(csv.out.substr(0, csv.out.find(',')), "FrequencyMHz");
    EXPECT_NE(csv.out.find("\n14.2,49.9999999998,3,0,0.99999999898,2.0000000005,49.9999999998,"), std::string::npos);
}

TEST(CliUnits, AWireGaugeInEitherUnit)
{
    for (const char* units : {"mm", "in"}) {
        const ProcessResult result =
            RunCli({"--units", units, "-f", "json", "14.2", units == std::string("mm") ? "50" : "2", "3", "14 AWG",
                    units == std::string("mm") ? "2" : "0.08", units == std::string("mm") ? "50" : "2"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NEAR(json::parse(result.out)["inputs"]["WireDiameterMm"].get<double>(), 1.628, 0.0005) << units;
    }
}

struct UsageCase {
    std::vector<std::string> args;
    std::string err;
};

TEST(CliLanguage, UsageErrors)
{
    const std::string help = "\nRun with --help for more information.\n";
    const UsageCase cases[] = {
        {{"--language", "de", "14.2", "50", "3", "1", "2", "50"}, "eh-antenna-cli: --language: de not in {ru,en}" + help},
        {{"--units", "cm", "14.2", "50", "3", "1", "2", "50"}, "eh-antenna-cli: --units: cm not in {mm,in}" + help},
        {{"--units", "in", "--batch"}, "eh-antenna-cli: --batch reads its requests in millimetres (--units)" + help},
        {{"--units", "in", "14.2", "50", "3", "x", "2", "50"},
         "eh-antenna-cli: WIRE_DIAMETER (EC33, coil wire diameter in inches) is not a number: \"x\"\n"},
        {{"14.2", "50", "3", "50 AWG", "2", "50"},
         "eh-antenna-cli: WIRE_DIAMETER (EC33, coil wire diameter in mm) is not a number: \"50 AWG\"\n"
         "eh-antenna-cli: hint: a wire gauge is 0000 to 40: \"14 AWG\", \"AWG14\", \"#14\", \"4/0\"\n"},
    };
    for (const UsageCase& c : cases) {
        const ProcessResult result = RunCli(c.args);
        EXPECT_EQ(result.exitCode, 2) << c.args.front();
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.out, "");
    }
}

} // namespace
} // namespace eh::test
