// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignService.h"

#include "CoreTestSupport.h"
#include "Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using eh::CalculateDesign;
using eh::ReadFieldTexts;
using eh::TFieldTexts;

const TFieldTexts kExampleATexts = {"14.2", "50", "3", "1", "2", "50", "0"};

TEST(ReadFieldTextsTest, ReadsTheTextsIntoTheirInputsInReadingOrder)
{
    const eh::TFieldReading reading = ReadFieldTexts({"14.2", "50", "3", "1", "2", "50", "5e2"}, ',');
    EXPECT_FALSE(reading.badField);
    const eh::TAntennaInputs expected = eh::test::ExampleB();
    for (const eh::TInputInfo& info : eh::InputTable())
        EXPECT_EQ(reading.inputs.*info.value, expected.*info.value) << info.key;
}

TEST(ReadFieldTextsTest, StopsAtTheFirstTextThatIsNotANumber)
{
    const eh::TFieldReading reading = ReadFieldTexts({"7,1", "50", "3", "x", "", "50", ""}, ',');
    ASSERT_EQ(reading.badField, 3u);
    EXPECT_STREQ(eh::InputTable()[3].component, "EC33");
    EXPECT_EQ(reading.inputs.FrequencyMHz, 7.1);
    EXPECT_EQ(reading.inputs.LengthToDiameter, 3);
    EXPECT_EQ(reading.inputs.WindingPitchMm, 0); // not read
}

TEST(ReadFieldTextsTest, ANumberBeyondTheDoubleRangeOverflows)
{
    TFieldTexts texts = kExampleATexts;
    texts[1] = "1e400";
    EXPECT_THROW(ReadFieldTexts(texts, ','), eh::EOverflow);
}

TEST(ReadFieldTextsTest, ResetTextsReadBackAndOnlyTheBandwidthResetsToZero)
{
    TFieldTexts resets;
    for (std::size_t i = 0; i < eh::kInputCount; ++i)
        resets[i] = eh::InputTable()[i].resetText;
    for (const char separator : {',', '.'}) {
        const eh::TFieldReading reading = ReadFieldTexts(resets, separator);
        EXPECT_FALSE(reading.badField);
        EXPECT_EQ(reading.inputs.FrequencyMHz, 0.1);
        EXPECT_EQ(reading.inputs.MeasuredBandwidthKHz, 0);
    }
}

TEST(InputTableTest, KeysFindTheirFields)
{
    EXPECT_EQ(eh::InputByKey("pitch"), 4u);
    EXPECT_EQ(eh::InputByKey("bandwidth"), 6u);
    EXPECT_FALSE(eh::InputByKey("Pitch"));
}

struct DesignCase {
    const char* name;
    eh::TAntennaInputs inputs;
    const char* kind; // "" when the design calculates
    bool pitchNotice;
    bool resultsBeforeReportFault;
};

class CalculateDesignTest : public testing::TestWithParam<DesignCase> {};

TEST_P(CalculateDesignTest, ReturnsTheResultsOrTheFault)
{
    const DesignCase& c = GetParam();
    const eh::TDesign design = CalculateDesign(c.inputs);
    EXPECT_EQ(design.pitchNotice, c.pitchNotice);
    EXPECT_EQ(design.inputs.FrequencyMHz, c.inputs.FrequencyMHz);
    EXPECT_EQ(design.resultsBeforeReportFault.has_value(), c.resultsBeforeReportFault);
    if (*c.kind == '\0') {
        ASSERT_TRUE(design.results);
        EXPECT_FALSE(design.fault);
        EXPECT_EQ(design.results->TurnCount, eh::CalculateAntenna(c.inputs).TurnCount);
        return;
    }
    EXPECT_FALSE(design.results);
    ASSERT_TRUE(design.fault);
    EXPECT_STREQ(eh::FaultKindName(design.fault->kind), c.kind);
    const eh::test::Fault raised = eh::test::CatchFault([&] { eh::Raise(*design.fault); });
    EXPECT_EQ(raised.kind, c.kind);
    EXPECT_TRUE(raised.typeMatchesKind);
    EXPECT_EQ(raised.message, design.fault->message);
    const eh::test::Fault model = eh::test::CatchFault([&] {
        eh::ForEachReportLine(c.inputs, eh::CalculateAntenna(c.inputs), ',', [](const eh::TReportLine&) {});
    });
    EXPECT_EQ(model.kind, c.kind);
    EXPECT_EQ(model.message, design.fault->message);
}

eh::TAntennaInputs With(double eh::TAntennaInputs::*field, double value)
{
    eh::TAntennaInputs inputs = eh::test::ExampleA();
    inputs.*field = value;
    return inputs;
}

// 1 MHz and 1e308 mm cylinders: the model calculates, but the overall length
// does not fit a double in millimetres.
eh::TAntennaInputs HugeCylinders()
{
    eh::TAntennaInputs inputs = With(&eh::TAntennaInputs::CylinderDiameterMm, 1e308);
    inputs.FrequencyMHz = 1;
    return inputs;
}

INSTANTIATE_TEST_SUITE_P(
    Designs, CalculateDesignTest,
    testing::Values(DesignCase{"Example", eh::test::ExampleA(), "", false, false},
                    DesignCase{"PitchBelowWire", With(&eh::TAntennaInputs::WindingPitchMm, 0.5), "", true, false},
                    DesignCase{"ZeroFrequency", With(&eh::TAntennaInputs::FrequencyMHz, 0), "EZeroDivide", false,
                               false},
                    DesignCase{"NegativeFrequency", With(&eh::TAntennaInputs::FrequencyMHz, -14.2), "EInvalidOp",
                               false, false},
                    DesignCase{"ScaledLengthOverflows", HugeCylinders(), "EOverflow", false, true}),
    [](const testing::TestParamInfo<DesignCase>& info) { return std::string(info.param.name); });

} // namespace
