// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseName.h"
#include "AntennaModel.h"
#include "CoreTestSupport.h"
#include "NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace {

using eh::test::PrintTo;

using eh::CalculateAntenna;
using eh::FormatReportNumber;
using eh::TAntennaInputs;
using eh::TAntennaResults;
using eh::test::CatchFault;
using eh::test::ExampleA;
using eh::test::ExampleB;
using eh::test::SixDecimals;

using ResultMember = double TAntennaResults::*;
using InputMember = double TAntennaInputs::*;

// ---------------------------------------------------------------------------
// The two reference designs, every result to six decimals and as report text.

struct ExampleRow {
    const char* field;
    ResultMember member;
    const char* a6;
    const char* a2;
    const char* b6;
    const char* b2;
};

const ExampleRow kExampleRows[] = {
    {"CapacitancePf", &TAntennaResults::CapacitancePf, "7.279528", "7,28", "7.279528", "7,28"},
    {"ReactanceOhm", &TAntennaResults::ReactanceOhm, "1540.454295", "1540,45", "1540.454295", "1540,45"},
    {"BandwidthKHz", &TAntennaResults::BandwidthKHz, "1106.167191", "1106,17", "1106.167191", "1106,17"},
    {"QFactor", &TAntennaResults::QFactor, "12.837119", "12,84", "12.837119", "12,84"},
    {"TotalLengthCm", &TAntennaResults::TotalLengthCm, "42.816854", "42,82", "42.816854", "42,82"},
    {"TotalLengthM", &TAntennaResults::TotalLengthM, "0.428169", "0,43", "0.428169", "0,43"},
    {"LengthToWavelengthPct", &TAntennaResults::LengthToWavelengthPct, "2.026664", "2,03", "2.026664", "2,03"},
    {"RrOhm", &TAntennaResults::RrOhm, "0.000000", "0,00", "54.241348", "54,24"},
    {"RrDeviationPct", &TAntennaResults::RrDeviationPct, "-100.000000", "-100,00", "-54.798876", "-54,80"},
    {"TurnsPerCm", &TAntennaResults::TurnsPerCm, "6.666667", "6,67", "6.666667", "6,67"},
    {"WireCylinderCapacitancePf", &TAntennaResults::WireCylinderCapacitancePf, "2.134225", "2,13", "2.134225",
     "2,13"},
    {"CoilCapacitancePf", &TAntennaResults::CoilCapacitancePf, "3.639764", "3,64", "3.639764", "3,64"},
    {"InductanceUh", &TAntennaResults::InductanceUh, "9.633332", "9,63", "9.633332", "9,63"},
    {"TurnCount", &TAntennaResults::TurnCount, "14.084268", "14,08", "14.084268", "14,08"},
    {"CoilLengthMm", &TAntennaResults::CoilLengthMm, "28.168536", "28,17", "28.168536", "28,17"},
    {"CoilWireLengthCm", &TAntennaResults::CoilWireLengthCm, "221.123008", "221,12", "221.123008", "221,12"},
    {"LossResistanceOhm", &TAntennaResults::LossResistanceOhm, "0.691602", "0,69", "0.691602", "0,69"},
    {"EfficiencyPct", &TAntennaResults::EfficiencyPct, "0.000000", "0,00", "98.741007", "98,74"},
    {"LossDb", &TAntennaResults::LossDb, "0.000000", "0,00", "-0.055024", "-0,06"},
    {"PhasingWireLengthCm", &TAntennaResults::PhasingWireLengthCm, "35.202254", "35,20", "35.202254", "35,20"},
    {"PhasingTurnCount", &TAntennaResults::PhasingTurnCount, "2.242182", "2,24", "2.242182", "2,24"},
    {"FlatArmHorizontalCm", &TAntennaResults::FlatArmHorizontalCm, "15.000000", "15,00", "15.000000", "15,00"},
    {"FlatArmVerticalCm", &TAntennaResults::FlatArmVerticalCm, "15.700000", "15,70", "15.700000", "15,70"},
    {"FlatArmGapCm", &TAntennaResults::FlatArmGapCm, "5.000000", "5,00", "5.000000", "5,00"},
};

class ExampleResultTest : public testing::TestWithParam<ExampleRow> {};

TEST_P(ExampleResultTest, ExampleAToSixAndTwoDecimals)
{
    const ExampleRow& row = GetParam();
    const double value = CalculateAntenna(ExampleA()).*row.member;
    EXPECT_EQ(SixDecimals(value), row.a6);
    EXPECT_EQ(FormatReportNumber(value, ','), row.a2);
}

TEST_P(ExampleResultTest, ExampleBToSixAndTwoDecimals)
{
    const ExampleRow& row = GetParam();
    const double value = CalculateAntenna(ExampleB()).*row.member;
    EXPECT_EQ(SixDecimals(value), row.b6);
    EXPECT_EQ(FormatReportNumber(value, ','), row.b2);
}

INSTANTIATE_TEST_SUITE_P(EveryResult, ExampleResultTest, testing::ValuesIn(kExampleRows),
                         [](const testing::TestParamInfo<ExampleRow>& info) { return std::string(info.param.field); });

TEST(AntennaModelTest, WithoutMeasuredBandwidthEfficiencyAndLossArePositiveZero)
{
    const TAntennaResults r = CalculateAntenna(ExampleA());
    EXPECT_EQ(r.EfficiencyPct, 0.0);
    EXPECT_FALSE(std::signbit(r.EfficiencyPct));
    EXPECT_EQ(r.LossDb, 0.0);
    EXPECT_FALSE(std::signbit(r.LossDb));
    EXPECT_EQ(r.RrOhm, 0.0);
    EXPECT_EQ(r.RrDeviationPct, -100.0);
}

TEST(AntennaModelTest, DerivedLengthsAreTheStoredResultsScaled)
{
    // Later formulas read the stored doubles: 0.01 x the stored length, and
    // the coil length is turns x pitch.
    const TAntennaResults r = CalculateAntenna(ExampleA());
    EXPECT_EQ(r.TotalLengthM, static_cast<double>(0.01L * r.TotalLengthCm));
    EXPECT_EQ(r.CoilLengthMm, static_cast<double>(static_cast<long double>(r.TurnCount) * 2.0L));
    EXPECT_EQ(r.CoilCapacitancePf, r.CapacitancePf / 2);
    EXPECT_EQ(r.FlatArmGapCm, 5.0);
}

TEST(AntennaModelTest, IsRepeatableAndKeepsNoStateBetweenCalls)
{
    const TAntennaResults first = CalculateAntenna(ExampleA());
    CalculateAntenna(ExampleB());
    const TAntennaResults again = CalculateAntenna(ExampleA());
    EXPECT_EQ(first.TurnCount, again.TurnCount);
    EXPECT_EQ(first.RrOhm, again.RrOhm);
    EXPECT_EQ(first.LossResistanceOhm, again.LossResistanceOhm);
}

TEST(AntennaModelTest, AFaultLeavesNoTraceOnTheNextCalculation)
{
    TAntennaInputs zeroFrequency = ExampleA();
    zeroFrequency.FrequencyMHz = 0;
    EXPECT_THROW(CalculateAntenna(zeroFrequency), eh::EZeroDivide);
    const TAntennaResults r = CalculateAntenna(ExampleB());
    EXPECT_EQ(SixDecimals(r.LossDb), "-0.055024");
    EXPECT_EQ(SixDecimals(r.TurnCount), "14.084268");
}

// ---------------------------------------------------------------------------
// The formulas without logarithm or square root, to the last bit: every
// operation rounded to the 64-bit significand in the order written, every
// result rounded to a double once. Any regrouping of a formula, a result
// read before it is stored, or a double intermediate shows up here.

struct BitExactCase {
    const char* name;
    TAntennaInputs inputs;
    double capacitance, reactance, bandwidth, q, rr, deviation, turnsPerCm, coilCapacitance, phasingWire,
        phasingTurns, flatHorizontal, flatVertical, flatGap;
};

// Inputs in field order: frequency, cylinder diameter, L/D, measured
// bandwidth, wire diameter, pitch, turn diameter.
const BitExactCase kBitExact[] = {
    {"ExampleA", {14.2, 50, 3, 0, 1, 2, 50},
     0x1.d1e3c78f1e3c8p+2, 0x1.811d132a5e893p+10, 0x1.148ab34195345p+10, 0x1.9ac9ae0b0f814p+3, 0x0p+0,
     -0x1.9p+6, 0x1.aaaaaaaaaaaabp+2, 0x1.d1e3c78f1e3c8p+1, 0x1.199e371815ec2p+5, 0x1.1effcfca47422p+1,
     0x1.ep+3, 0x1.f666666666666p+3, 0x1.4p+2},
    {"ExampleB", {14.2, 50, 3, 500, 1, 2, 50},
     0x1.d1e3c78f1e3c8p+2, 0x1.811d132a5e893p+10, 0x1.148ab34195345p+10, 0x1.9ac9ae0b0f814p+3,
     0x1.b1ee4812e51c6p+5, -0x1.b664194596686p+5, 0x1.aaaaaaaaaaaabp+2, 0x1.d1e3c78f1e3c8p+1,
     0x1.199e371815ec2p+5, 0x1.1effcfca47422p+1, 0x1.ep+3, 0x1.f666666666666p+3, 0x1.4p+2},
    {"FortyMetres", {7.1, 60, 4.5, 333, 0.8, 1.7, 45},
     0x1.557148f857149p+3, 0x1.06bd294ca9f2ep+11, 0x1.955869da307bfp+8, 0x1.18413d1e93254p+4,
     0x1.8a549518a19bep+6, -0x1.1d90b9ade54dcp+4, 0x1p+3, 0x1.557148f857149p+2, 0x1.199e371815ec2p+6,
     0x1.de5504fbcc18fp+1, 0x1.bp+4, 0x1.2d70a3d70a3d7p+4, 0x1.8p+2},
    {"TwoMetres", {144.3, 12.7, 6.25, 2500, 1.5, 1.6, 20},
     0x1.5e3d70a3d70a4p+1, 0x1.934a6df540d02p+8, 0x1.4f71880142cb4p+15, 0x1.ae2d4216ab88ap+1,
     0x1.bf2b5201364d2p+2, -0x1.78b5be65452cp+6, 0x1.9ce739ce739cep+2, 0x1.5e3d70a3d70a4p+0,
     0x1.bb682abf8ee9bp+1, 0x1.bcc370329afb7p-1, 0x1.fcp+2, 0x1.fe703afb7e91p+1, 0x1.451eb851eb852p+0},
};

class BitExactTest : public testing::TestWithParam<BitExactCase> {};

TEST_P(BitExactTest, ResultsWithoutTranscendentalFunctions)
{
    const BitExactCase& c = GetParam();
    const TAntennaResults r = CalculateAntenna(c.inputs);
    EXPECT_EQ(r.CapacitancePf, c.capacitance);
    EXPECT_EQ(r.ReactanceOhm, c.reactance);
    EXPECT_EQ(r.BandwidthKHz, c.bandwidth);
    EXPECT_EQ(r.QFactor, c.q);
    EXPECT_EQ(r.RrOhm, c.rr);
    EXPECT_EQ(r.RrDeviationPct, c.deviation);
    EXPECT_EQ(r.TurnsPerCm, c.turnsPerCm);
    EXPECT_EQ(r.CoilCapacitancePf, c.coilCapacitance);
    EXPECT_EQ(r.PhasingWireLengthCm, c.phasingWire);
    EXPECT_EQ(r.PhasingTurnCount, c.phasingTurns);
    EXPECT_EQ(r.FlatArmHorizontalCm, c.flatHorizontal);
    EXPECT_EQ(r.FlatArmVerticalCm, c.flatVertical);
    EXPECT_EQ(r.FlatArmGapCm, c.flatGap);
}

INSTANTIATE_TEST_SUITE_P(Designs, BitExactTest, testing::ValuesIn(kBitExact),
                         [](const testing::TestParamInfo<BitExactCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Variations of the reference design that still calculate.

struct Change {
    InputMember member;
    double value;
};

struct Expected {
    const char* field;
    ResultMember member;
    const char* text; // two decimals, comma
};

struct VariationCase {
    const char* name;
    std::vector<Change> changes;
    std::vector<Expected> expected;
};

TAntennaInputs Apply(const std::vector<Change>& changes)
{
    TAntennaInputs in = ExampleA();
    for (const Change& c : changes)
        in.*c.member = c.value;
    return in;
}

#define EH_RESULT(name) #name, &TAntennaResults::name

const VariationCase kVariations[] = {
    {"BandwidthEqualToComputed",
     {{&TAntennaInputs::MeasuredBandwidthKHz, 1106.167191}},
     {{EH_RESULT(RrOhm), "120,00"},
      {EH_RESULT(RrDeviationPct), "0,00"},
      {EH_RESULT(EfficiencyPct), "99,43"},
      {EH_RESULT(LossDb), "-0,02"}}},
    {"NegativeBandwidth",
     {{&TAntennaInputs::MeasuredBandwidthKHz, -500}},
     {{EH_RESULT(RrOhm), "-54,24"},
      {EH_RESULT(RrDeviationPct), "-145,20"},
      {EH_RESULT(EfficiencyPct), "101,29"},
      {EH_RESULT(LossDb), "0,06"}}},
    {"ZeroPitch",
     {{&TAntennaInputs::WindingPitchMm, 0}},
     {{EH_RESULT(TurnsPerCm), "20,00"},
      {EH_RESULT(TurnCount), "9,39"},
      {EH_RESULT(CoilLengthMm), "0,00"},
      {EH_RESULT(TotalLengthCm), "40,00"},
      {EH_RESULT(LengthToWavelengthPct), "1,89"},
      {EH_RESULT(CoilWireLengthCm), "147,35"},
      {EH_RESULT(LossResistanceOhm), "0,46"}}},
    {"ZeroLengthToDiameter",
     {{&TAntennaInputs::LengthToDiameter, 0}},
     {{EH_RESULT(CapacitancePf), "4,06"},
      {EH_RESULT(WireCylinderCapacitancePf), "0,00"},
      {EH_RESULT(InductanceUh), "20,67"},
      {EH_RESULT(TurnCount), "24,51"},
      {EH_RESULT(FlatArmHorizontalCm), "0,00"}}},
    {"CylinderThinnerThanWire",
     {{&TAntennaInputs::CylinderDiameterMm, 0.5}},
     {{EH_RESULT(CapacitancePf), "0,07"},
      {EH_RESULT(WireCylinderCapacitancePf), "-0,12"},
      {EH_RESULT(InductanceUh), "-11168,07"},
      {EH_RESULT(TurnCount), "-11,26"},
      {EH_RESULT(CoilLengthMm), "-22,53"},
      {EH_RESULT(TotalLengthCm), "-1,85"},
      {EH_RESULT(LossResistanceOhm), "-0,55"},
      {EH_RESULT(PhasingTurnCount), "224,22"}}},
};

#undef EH_RESULT

class VariationTest : public testing::TestWithParam<VariationCase> {};

TEST_P(VariationTest, CalculatesWithoutFault)
{
    const VariationCase& c = GetParam();
    TAntennaResults r;
    ASSERT_NO_THROW(r = CalculateAntenna(Apply(c.changes)));
    for (const Expected& e : c.expected)
        EXPECT_EQ(FormatReportNumber(r.*e.member, ','), e.text) << e.field;
}

INSTANTIATE_TEST_SUITE_P(FurtherCases, VariationTest, testing::ValuesIn(kVariations),
                         [](const testing::TestParamInfo<VariationCase>& info) { return std::string(info.param.name); });

TEST(AntennaModelTest, BandwidthEqualToComputedGivesATinyPositiveDeviation)
{
    TAntennaInputs in = ExampleA();
    in.MeasuredBandwidthKHz = 1106.167191;
    const TAntennaResults r = CalculateAntenna(in);
    EXPECT_GT(r.RrDeviationPct, 0.0);
    EXPECT_LT(r.RrDeviationPct, 1e-8);
}

TEST(AntennaModelTest, TooSmallBandwidthIsStoredAsZeroThenQFaults)
{
    // 1e-170 MHz: the bandwidth underflows silently to zero, and Q divides
    // by it.
    TAntennaInputs in = ExampleA();
    in.FrequencyMHz = 1e-170;
    const auto fault = CatchFault([&] { CalculateAntenna(in); });
    EXPECT_EQ(fault.kind, "EZeroDivide");
    EXPECT_EQ(fault.message, eh::test::kZeroDivideText);
}

// A measured bandwidth equal to the computed one gives RR = 120 ohms: the
// reactance, the bandwidth and RR reduce to the assumed 120 ohms.
struct Design {
    double frequencyMHz;
    double cylinderMm;
    double lengthToDiameter;
};

class MatchingBandwidthTest : public testing::TestWithParam<Design> {};

TEST_P(MatchingBandwidthTest, GivesRr120WithinRounding)
{
    TAntennaInputs in = ExampleA();
    in.FrequencyMHz = GetParam().frequencyMHz;
    in.CylinderDiameterMm = GetParam().cylinderMm;
    in.LengthToDiameter = GetParam().lengthToDiameter;
    in.MeasuredBandwidthKHz = CalculateAntenna(in).BandwidthKHz;
    const TAntennaResults r = CalculateAntenna(in);
    EXPECT_NEAR(r.RrOhm, 120.0, 120.0 * 1e-13);
    EXPECT_NEAR(r.RrDeviationPct, 0.0, 1e-10);
    EXPECT_EQ(FormatReportNumber(r.RrOhm, ','), "120,00");
    EXPECT_EQ(FormatReportNumber(r.RrDeviationPct, ','), "0,00");
    // 120 ohms against the loss resistance.
    EXPECT_NEAR(r.EfficiencyPct, 100.0 * 120.0 / (120.0 + r.LossResistanceOhm), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(SeveralDesigns, MatchingBandwidthTest,
                         testing::Values(Design{14.2, 50, 3}, Design{1.85, 110, 4}, Design{3.6, 80, 2.5},
                                         Design{7.05, 60, 3}, Design{28.5, 25, 5}, Design{144.3, 10, 3},
                                         Design{0.137, 300, 6}));

// ---------------------------------------------------------------------------
// Inputs that fault: the kind and the message of the first fault met.

struct FaultCase {
    const char* name;
    std::vector<Change> changes;
    const char* kind;
    const char* message;
};

constexpr const char* kZd = "EZeroDivide";
constexpr const char* kIo = "EInvalidOp";
constexpr const char* kOv = "EOverflow";

const FaultCase kFaults[] = {
    {"ZeroFrequency", {{&TAntennaInputs::FrequencyMHz, 0}}, kZd, eh::test::kZeroDivideText},
    {"NegativeZeroFrequency", {{&TAntennaInputs::FrequencyMHz, -0.0}}, kZd, eh::test::kZeroDivideText},
    {"ZeroCylinderDiameter", {{&TAntennaInputs::CylinderDiameterMm, 0}}, kZd, eh::test::kZeroDivideText},
    {"NegativeFrequency", {{&TAntennaInputs::FrequencyMHz, -14.2}}, kIo, eh::test::kInvalidOpText},
    {"HugeFrequencyOverflowsBandwidth", {{&TAntennaInputs::FrequencyMHz, 1e300}}, kOv, eh::test::kOverflowText},
    {"UnderflowingBandwidth", {{&TAntennaInputs::FrequencyMHz, 1e-170}}, kZd, eh::test::kZeroDivideText},
    {"ZeroWire", {{&TAntennaInputs::WireDiameterMm, 0}}, kZd, eh::test::kZeroDivideText},
    {"ZeroWireAndPitch",
     {{&TAntennaInputs::WireDiameterMm, 0}, {&TAntennaInputs::WindingPitchMm, 0}},
     kZd,
     eh::test::kZeroDivideText},
    {"PitchCancelsWire",
     {{&TAntennaInputs::WireDiameterMm, -2}, {&TAntennaInputs::WindingPitchMm, 2}},
     kZd,
     eh::test::kZeroDivideText},
    {"CylinderEqualsWire50",
     {{&TAntennaInputs::CylinderDiameterMm, 50}, {&TAntennaInputs::WireDiameterMm, 50}},
     kZd,
     eh::test::kZeroDivideText},
    {"CylinderEqualsWire100",
     {{&TAntennaInputs::CylinderDiameterMm, 100}, {&TAntennaInputs::WireDiameterMm, 100}},
     kZd,
     eh::test::kZeroDivideText},
    {"NegativeWire", {{&TAntennaInputs::WireDiameterMm, -1}}, kIo, eh::test::kInvalidOpText},
    {"NegativeCylinder", {{&TAntennaInputs::CylinderDiameterMm, -50}}, kIo, eh::test::kInvalidOpText},
    // The wire-to-cylinder capacitance is exactly -1.5 times the antenna
    // capacitance here, so the three capacitances add up to zero.
    {"CapacitancesCancel",
     {{&TAntennaInputs::LengthToDiameter, 7.55},
      {&TAntennaInputs::WireDiameterMm, 158.07364717887808},
      {&TAntennaInputs::WindingPitchMm, 159.07364717887808}},
     kZd,
     eh::test::kZeroDivideText},
    {"NegativeTurnDiameter", {{&TAntennaInputs::TurnDiameterMm, -50}}, kIo, eh::test::kInvalidOpText},
    {"ZeroTurnDiameter", {{&TAntennaInputs::TurnDiameterMm, 0}}, kZd, eh::test::kZeroDivideText},
    {"ZeroTurnDiameterAndPitch",
     {{&TAntennaInputs::TurnDiameterMm, 0}, {&TAntennaInputs::WindingPitchMm, 0}},
     kIo,
     eh::test::kInvalidOpText},
    // RR is exactly minus the loss resistance.
    {"RrCancelsLossResistance",
     {{&TAntennaInputs::MeasuredBandwidthKHz, -6.3752280606050329}},
     kZd,
     eh::test::kZeroDivideText},
    // RR slightly negative, RR plus the loss resistance positive: a negative
    // efficiency whose logarithm is taken.
    {"NegativeEfficiency", {{&TAntennaInputs::MeasuredBandwidthKHz, -1}}, kIo, eh::test::kInvalidOpText},
    // The values unreadable fields are reset to.
    {"EveryInputPointOne",
     {{&TAntennaInputs::FrequencyMHz, 0.1},
      {&TAntennaInputs::CylinderDiameterMm, 0.1},
      {&TAntennaInputs::LengthToDiameter, 0.1},
      {&TAntennaInputs::MeasuredBandwidthKHz, 0},
      {&TAntennaInputs::WireDiameterMm, 0.1},
      {&TAntennaInputs::WindingPitchMm, 0.1},
      {&TAntennaInputs::TurnDiameterMm, 0.1}},
     kIo,
     eh::test::kInvalidOpText},
};

class FaultTest : public testing::TestWithParam<FaultCase> {};

TEST_P(FaultTest, RaisesTheFirstFaultWithItsMessage)
{
    const FaultCase& c = GetParam();
    const TAntennaInputs in = Apply(c.changes);
    const auto fault = CatchFault([&] { CalculateAntenna(in); });
    EXPECT_EQ(fault.kind, c.kind);
    EXPECT_EQ(fault.message, c.message);
    EXPECT_TRUE(fault.typeMatchesKind);
}

INSTANTIATE_TEST_SUITE_P(FaultTable, FaultTest, testing::ValuesIn(kFaults),
                         [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST(AntennaModelTest, DiameterRatioOneUlpAboveOneGivesAHugeCapacitanceNotAFault)
{
    // No tolerance applies around a ratio of 1: a wire one step thinner than
    // the cylinder gives an enormous positive capacitance and a design.
    TAntennaInputs in = ExampleA();
    in.WireDiameterMm = std::nextafter(50.0, 0.0);
    TAntennaResults r;
    ASSERT_NO_THROW(r = CalculateAntenna(in));
    EXPECT_GT(r.WireCylinderCapacitancePf, 1e15);
}

TEST(AntennaModelTest, DiameterRatioOneUlpBelowOneTurnsTheInductanceNegative)
{
    // A wire one step thicker: an enormous negative capacitance, a negative
    // inductance, and the square root of the coil formula faults.
    TAntennaInputs in = ExampleA();
    in.WireDiameterMm = std::nextafter(50.0, 100.0);
    const auto fault = CatchFault([&] { CalculateAntenna(in); });
    EXPECT_EQ(fault.kind, "EInvalidOp");
    EXPECT_EQ(fault.message, eh::test::kInvalidOpText);
}

TEST(AntennaModelTest, AThickerWireThanCylinderGivesNegativeCapacitance)
{
    TAntennaInputs in = ExampleA();
    in.CylinderDiameterMm = 0.5;
    const TAntennaResults r = CalculateAntenna(in);
    EXPECT_LT(r.WireCylinderCapacitancePf, 0.0);
}

} // namespace
