// SPDX-License-Identifier: GPL-3.0-or-later
// Invariants of the model, the report and the number text, checked on many
// random designs (fixed seeds, so a failure can be replayed).
#include "AntennaModel.h"
#include "Exceptions.h"
#include "NumberConversion.h"
#include "NumberFormat.h"
#include "Report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <string>

namespace {

using eh::TAntennaInputs;

constexpr int kDesigns = 20000;

// Positive values spread evenly over orders of magnitude.
double LogUniform(std::mt19937_64& random, double low, double high)
{
    std::uniform_real_distribution<double> exponent(std::log10(low), std::log10(high));
    return std::pow(10.0, exponent(random));
}

// A plausible design: every input within what a radio amateur might type.
TAntennaInputs PlausibleDesign(std::mt19937_64& random)
{
    TAntennaInputs in;
    in.FrequencyMHz = LogUniform(random, 0.1, 3000);
    in.CylinderDiameterMm = LogUniform(random, 5, 500);
    in.LengthToDiameter = LogUniform(random, 0.5, 20);
    in.WireDiameterMm = LogUniform(random, 0.1, 4);
    in.WindingPitchMm = in.WireDiameterMm * LogUniform(random, 1, 5);
    in.TurnDiameterMm = LogUniform(random, 5, 500);
    in.MeasuredBandwidthKHz = 0;
    return in;
}

// Anything at all: zeros, negatives, huge and tiny values.
double AnyValue(std::mt19937_64& random)
{
    switch (std::uniform_int_distribution<int>(0, 5)(random)) {
    case 0:
        return 0.0;
    case 1:
        return -LogUniform(random, 1e-300, 1e300);
    case 2:
        return static_cast<double>(std::uniform_int_distribution<int>(-3, 100)(random));
    default:
        return LogUniform(random, 1e-300, 1e300);
    }
}

TEST(ModelProperty, MeasuringTheComputedBandwidthGivesRrOf120Ohms)
{
    std::mt19937_64 random(20261207);
    for (int i = 0; i < kDesigns; ++i) {
        TAntennaInputs in = PlausibleDesign(random);
        const eh::TAntennaResults first = eh::CalculateAntenna(in);
        in.MeasuredBandwidthKHz = first.BandwidthKHz;
        const eh::TAntennaResults second = eh::CalculateAntenna(in);
        ASSERT_NEAR(second.RrOhm, 120.0, 120.0 * 1e-12) << "design " << i;
        ASSERT_NEAR(second.RrDeviationPct, 0.0, 1e-9) << "design " << i;
        ASSERT_GT(second.EfficiencyPct, 0.0);
        ASSERT_LE(second.EfficiencyPct, 100.0);
        ASSERT_LE(second.LossDb, 0.0);
    }
}

TEST(ModelProperty, AFaultIsAlwaysOneOfTheThreeKindsWithItsMessage)
{
    std::mt19937_64 random(7);
    std::set<std::string> kindsSeen;
    int faults = 0;
    for (int i = 0; i < kDesigns * 5; ++i) {
        TAntennaInputs in;
        in.FrequencyMHz = AnyValue(random);
        in.CylinderDiameterMm = AnyValue(random);
        in.LengthToDiameter = AnyValue(random);
        in.MeasuredBandwidthKHz = AnyValue(random);
        in.WireDiameterMm = AnyValue(random);
        in.WindingPitchMm = AnyValue(random);
        in.TurnDiameterMm = AnyValue(random);
        try {
            const eh::TAntennaResults r = eh::CalculateAntenna(in);
            // A calculation that succeeds has only finite results.
            for (const double value : {r.CapacitancePf, r.InductanceUh, r.TurnCount, r.LossDb, r.PhasingTurnCount})
                ASSERT_TRUE(std::isfinite(value)) << "design " << i;
        } catch (const eh::EZeroDivide& e) {
            ASSERT_STREQ(e.what(), "Floating point division by zero");
            kindsSeen.insert(e.kind());
            ++faults;
        } catch (const eh::EInvalidOp& e) {
            ASSERT_STREQ(e.what(), "Invalid floating point operation");
            kindsSeen.insert(e.kind());
            ++faults;
        } catch (const eh::EOverflow& e) {
            ASSERT_STREQ(e.what(), "Floating point overflow");
            kindsSeen.insert(e.kind());
            ++faults;
        }
        // Any other exception fails the test by escaping it.
    }
    EXPECT_GT(faults, 0);
    EXPECT_EQ(kindsSeen, (std::set<std::string>{"EInvalidOp", "EOverflow", "EZeroDivide"}));
}

TEST(ReportProperty, EverySuccessfulReportHas38LinesWhoseRunsStayInside)
{
    std::mt19937_64 random(42);
    int reports = 0;
    for (int i = 0; i < kDesigns; ++i) {
        TAntennaInputs in = PlausibleDesign(random);
        in.MeasuredBandwidthKHz = AnyValue(random) / 1e290;
        const char separator = i % 2 ? ',' : '.';
        eh::TReport report;
        try {
            report = eh::BuildReport(in, eh::CalculateAntenna(in), separator);
        } catch (const eh::Exception&) {
            continue;
        }
        ++reports;
        ASSERT_EQ(report.Lines.size(), 38u);
        for (const eh::TReportLine& line : report.Lines) {
            const int length = eh::CharacterCount(line.Text);
            ASSERT_FALSE(line.Runs.empty());
            for (const eh::TStyleRun& run : line.Runs) {
                ASSERT_GE(run.Start, 0);
                ASSERT_GE(run.Length, 0);
                ASSERT_LE(run.Start + run.Length, length) << line.Text;
            }
        }
    }
    EXPECT_GT(reports, kDesigns / 2);
}

TEST(NumberTextProperty, TheTwoDecimalTextReadsBackWithinHalfAHundredth)
{
    std::mt19937_64 random(1);
    for (int i = 0; i < kDesigns * 5; ++i) {
        double value = LogUniform(random, 1e-6, 1e15);
        if (i % 3 == 0)
            value = -value;
        const char separator = i % 2 ? ',' : '.';
        const std::string text = eh::FormatReportNumber(value, separator);
        const double back = eh::ConvertFieldText(text, separator);
        // Half a hundredth, plus the rounding of the 18-digit decimal form.
        ASSERT_LE(std::fabs(back - value), 0.005 + std::fabs(value) * 1e-15) << value << " -> " << text;
    }
}

} // namespace
