// SPDX-License-Identifier: GPL-3.0-or-later
// The json and csv formats of eh-antenna-cli, run as a process and checked
// against the core's own calculation.
#include "CliTestSupport.h"

#include "AntennaModel.h"
#include "DesignService.h"
#include "NumberConversion.h"
#include "Report.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace eh::test {
namespace {

using nlohmann::json;

struct Named {
    const char* name;
    double TAntennaResults::*field;
};

const std::vector<Named> kResults = {
    {"CapacitancePf", &TAntennaResults::CapacitancePf},
    {"ReactanceOhm", &TAntennaResults::ReactanceOhm},
    {"BandwidthKHz", &TAntennaResults::BandwidthKHz},
    {"QFactor", &TAntennaResults::QFactor},
    {"TotalLengthCm", &TAntennaResults::TotalLengthCm},
    {"TotalLengthM", &TAntennaResults::TotalLengthM},
    {"LengthToWavelengthPct", &TAntennaResults::LengthToWavelengthPct},
    {"RrOhm", &TAntennaResults::RrOhm},
    {"RrDeviationPct", &TAntennaResults::RrDeviationPct},
    {"TurnsPerCm", &TAntennaResults::TurnsPerCm},
    {"WireCylinderCapacitancePf", &TAntennaResults::WireCylinderCapacitancePf},
    {"CoilCapacitancePf", &TAntennaResults::CoilCapacitancePf},
    {"InductanceUh", &TAntennaResults::InductanceUh},
    {"TurnCount", &TAntennaResults::TurnCount},
    {"CoilLengthMm", &TAntennaResults::CoilLengthMm},
    {"CoilWireLengthCm", &TAntennaResults::CoilWireLengthCm},
    {"LossResistanceOhm", &TAntennaResults::LossResistanceOhm},
    {"EfficiencyPct", &TAntennaResults::EfficiencyPct},
    {"LossDb", &TAntennaResults::LossDb},
    {"PhasingWireLengthCm", &TAntennaResults::PhasingWireLengthCm},
    {"PhasingTurnCount", &TAntennaResults::PhasingTurnCount},
    {"FlatArmHorizontalCm", &TAntennaResults::FlatArmHorizontalCm},
    {"FlatArmVerticalCm", &TAntennaResults::FlatArmVerticalCm},
    {"FlatArmGapCm", &TAntennaResults::FlatArmGapCm},
};

TAntennaInputs ExampleInputs(double bandwidth)
{
    TAntennaInputs inputs;
    inputs.FrequencyMHz = 14.2;
    inputs.CylinderDiameterMm = 50;
    inputs.LengthToDiameter = 3;
    inputs.MeasuredBandwidthKHz = bandwidth;
    inputs.WireDiameterMm = 1;
    inputs.WindingPitchMm = 2;
    inputs.TurnDiameterMm = 50;
    return inputs;
}

// Same value and, for zeros, same sign.
void ExpectSameDouble(double actual, double expected, const std::string& what)
{
    EXPECT_EQ(actual, expected) << what;
    EXPECT_EQ(std::signbit(actual), std::signbit(expected)) << what;
}

void ExpectDesignJson(const json& design, const TAntennaInputs& inputs, const std::vector<std::string>& lines)
{
    const TAntennaResults expected = CalculateAntenna(inputs);
    ASSERT_TRUE(design.is_object());
    ASSERT_EQ(design["results"].size(), 24u);
    for (const Named& result : kResults)
        ExpectSameDouble(design["results"].at(result.name).get<double>(), expected.*result.field, result.name);

    const json& in = design["inputs"];
    ASSERT_EQ(in.size(), 7u);
    ExpectSameDouble(in.at("FrequencyMHz").get<double>(), inputs.FrequencyMHz, "FrequencyMHz");
    ExpectSameDouble(in.at("CylinderDiameterMm").get<double>(), inputs.CylinderDiameterMm, "CylinderDiameterMm");
    ExpectSameDouble(in.at("LengthToDiameter").get<double>(), inputs.LengthToDiameter, "LengthToDiameter");
    ExpectSameDouble(in.at("MeasuredBandwidthKHz").get<double>(), inputs.MeasuredBandwidthKHz, "MeasuredBandwidthKHz");
    ExpectSameDouble(in.at("WireDiameterMm").get<double>(), inputs.WireDiameterMm, "WireDiameterMm");
    ExpectSameDouble(in.at("WindingPitchMm").get<double>(), inputs.WindingPitchMm, "WindingPitchMm");
    ExpectSameDouble(in.at("TurnDiameterMm").get<double>(), inputs.TurnDiameterMm, "TurnDiameterMm");

    const json& report = design["report"];
    ASSERT_EQ(report.size(), 38u);
    const TReport built = BuildReport(inputs, expected, ',');
    const char* kinds[] = {"rlTitle", "rlHeading", "rlEmpty", "rlValue"};
    for (std::size_t i = 0; i < 38; ++i) {
        const json& line = report[i];
        EXPECT_EQ(line["text"].get<std::string>(), lines[i]) << "line " << i + 1;
        EXPECT_EQ(line["kind"].get<std::string>(), kinds[static_cast<int>(built.Lines[i].Kind)]) << "line " << i + 1;
        ASSERT_EQ(line["runs"].size(), built.Lines[i].Runs.size()) << "line " << i + 1;
        for (std::size_t r = 0; r < built.Lines[i].Runs.size(); ++r) {
            const TStyleRun& run = built.Lines[i].Runs[r];
            const json& got = line["runs"][r];
            EXPECT_EQ(got.at("start").get<int>(), run.Start);
            EXPECT_EQ(got.at("length").get<int>(), run.Length);
            EXPECT_EQ(got.at("bold").get<bool>(), run.Bold);
            EXPECT_EQ(got.at("underline").get<bool>(), run.Underline);
            EXPECT_EQ(got.at("size").get<int>(), run.Size);
        }
    }
}

TEST(CliJson, ExampleARoundTripsEveryDoubleExactly)
{
    const ProcessResult result = RunCli({"-s", ",", "-f", "json", "14.2", "50", "3", "1", "2", "50"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    ASSERT_FALSE(result.out.empty());
    EXPECT_EQ(result.out.back(), '\n');
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1);
    const json design = json::parse(result.out);
    ExpectDesignJson(design, ExampleInputs(0), ExampleAReportLines());
    EXPECT_TRUE(design["notice"].is_null());
    // Run 2 of line 2: the number "14,20" alone is bold.
    EXPECT_EQ(design["report"][1]["runs"][1], json::parse(R"({"start":10,"length":5,"bold":true,"underline":false,"size":9})"));
    EXPECT_EQ(design["report"][0]["runs"][0], json::parse(R"({"start":0,"length":28,"bold":true,"underline":true,"size":14})"));
}

TEST(CliJson, ExampleBRoundTrips)
{
    const ProcessResult result = RunCli({"-s", ",", "-f", "json", "14.2", "50", "3", "1", "2", "50", "500"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    ExpectDesignJson(json::parse(result.out), ExampleInputs(500), ExampleBReportLines());
}

TEST(CliJson, AwkwardValuesRoundTrip)
{
    // Subnormal and huge values, negative results and a negative zero input.
    const std::vector<std::vector<std::string>> cases = {
        {"1e-170", "50", "3", "1", "2", "50"}, // faults: checked below
        {"14.2", "0.5", "3", "1", "2", "50", "-500"},
        {"14.2", "50", "3", "1", "0", "50", "-0"},
        {"1e-300", "50", "1e300", "1", "2", "50"},
        {"7.1", "123.456", "0", "0.3", "0.7", "33.3", "1106.167191"},
    };
    for (const auto& fields : cases) {
        std::vector<std::string> args = {"-s", ",", "-f", "json"};
        args.insert(args.end(), fields.begin(), fields.end());
        const ProcessResult result = RunCli(args);
        TAntennaInputs inputs;
        double* destinations[] = {&inputs.FrequencyMHz,   &inputs.CylinderDiameterMm, &inputs.LengthToDiameter,
                                  &inputs.WireDiameterMm, &inputs.WindingPitchMm,     &inputs.TurnDiameterMm,
                                  &inputs.MeasuredBandwidthKHz};
        for (std::size_t i = 0; i < 7; ++i) {
            const std::string text = i < fields.size() ? fields[i] : "0";
            *destinations[i] = ConvertFieldText(text, ',');
        }
        bool faults = false;
        try {
            TAntennaResults r = CalculateAntenna(inputs);
            BuildReport(inputs, r, ',');
        } catch (const std::exception&) {
            faults = true;
        }
        if (faults) {
            EXPECT_EQ(result.exitCode, 1) << fields[0];
            continue;
        }
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const json design = json::parse(result.out);
        const TAntennaResults expected = CalculateAntenna(inputs);
        for (const Named& named : kResults)
            ExpectSameDouble(design["results"].at(named.name).get<double>(), expected.*named.field, named.name);
        ExpectSameDouble(design["inputs"]["MeasuredBandwidthKHz"].get<double>(), inputs.MeasuredBandwidthKHz,
                         "bandwidth");
    }
}

TEST(CliJson, NoticeIsCarried)
{
    const ProcessResult result = RunCli({"-s", ",", "-f", "json", "14.2", "50", "3", "1", "0.5", "50"});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "eh-antenna-cli: warning: Ошибка!!! Шаг намотки меньше диаметра провода!\n");
    EXPECT_EQ(json::parse(result.out)["notice"], kPitchNotice);
}

const char* const kCsvHeader =
    "FrequencyMHz,CylinderDiameterMm,LengthToDiameter,MeasuredBandwidthKHz,WireDiameterMm,WindingPitchMm,"
    "TurnDiameterMm,CapacitancePf,ReactanceOhm,BandwidthKHz,QFactor,TotalLengthCm,TotalLengthM,"
    "LengthToWavelengthPct,RrOhm,RrDeviationPct,TurnsPerCm,WireCylinderCapacitancePf,CoilCapacitancePf,"
    "InductanceUh,TurnCount,CoilLengthMm,CoilWireLengthCm,LossResistanceOhm,EfficiencyPct,LossDb,"
    "PhasingWireLengthCm,PhasingTurnCount,FlatArmHorizontalCm,FlatArmVerticalCm,FlatArmGapCm,notice,fault_kind,"
    "fault_message";

std::vector<std::string> SplitCsv(const std::string& row)
{
    std::vector<std::string> cells;
    std::string cell;
    for (const char c : row) {
        if (c == ',') {
            cells.push_back(cell);
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells.push_back(cell);
    return cells;
}

TEST(CliCsv, HeaderAndOneRowOfExactNumbers)
{
    const ProcessResult result = RunCli({"-s", ",", "-f", "csv", "14.2", "50", "3", "1", "2", "50", "500"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = SplitLines(result.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], kCsvHeader);
    const std::vector<std::string> cells = SplitCsv(lines[1]);
    ASSERT_EQ(cells.size(), 34u);
    EXPECT_EQ(std::vector<std::string>(cells.begin(), cells.begin() + 7),
              (std::vector<std::string>{"14.2", "50", "3", "500", "1", "2", "50"}));
    const TAntennaResults expected = CalculateAntenna(ExampleInputs(500));
    for (std::size_t i = 0; i < kResults.size(); ++i)
        EXPECT_EQ(std::strtod(cells[7 + i].c_str(), nullptr), expected.*kResults[i].field) << kResults[i].name;
    EXPECT_EQ(cells[31], "");
    EXPECT_EQ(cells[32], "");
    EXPECT_EQ(cells[33], "");
    EXPECT_EQ(lines[1].substr(0, 40), "14.2,50,3,500,1,2,50,7.2795275590551185,");
}

TEST(CliCsv, NoticeColumn)
{
    const ProcessResult result = RunCli({"-s", ",", "-f", "csv", "14.2", "50", "3", "1", "0.5", "50"});
    ASSERT_EQ(result.exitCode, 0);
    const std::vector<std::string> cells = SplitCsv(SplitLines(result.out).at(1));
    ASSERT_EQ(cells.size(), 34u);
    EXPECT_EQ(cells[31], kPitchNotice);
}

TEST(CliCsv, FaultIsExitOneWithoutARow)
{
    const ProcessResult result = RunCli({"-s", ",", "-f", "csv", "0", "50", "3", "1", "2", "50"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "eh-antenna-cli: Floating point division by zero.\n");
}

} // namespace
} // namespace eh::test
