// SPDX-License-Identifier: GPL-3.0-or-later
// Lengths typed in inches and wire diameters typed as gauges.
#include "DesignService.h"
#include "InchText.h"
#include "NumberConversion.h"
#include "ShownLengths.h"
#include "WireGauge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {

using eh::TFieldTextOptions;
using eh::TLengthUnit;

struct InchCase {
    const char* inches;
    char separator;
    const char* millimetres;
};

TEST(InchTextTest, DigitsTimes254PointMovedOnePlace)
{
    const InchCase cases[] = {
        {"1.968503937", '.', "49.9999999998"},
        {"1", '.', "25.4"},
        {" 12,5 ", ',', "317.50"},
        {"-2e3", '.', "-508e2"},
        {"0.001", '.', "0.0254"},
        {"+1.5E-3", '.', "0.03810"},
        {"000.0", '.', "000.0"},
        {"4e1", ',', "1016e0"},
    };
    for (const InchCase& c : cases)
        EXPECT_EQ(eh::MillimetreTextOfInches(c.inches, c.separator), c.millimetres) << c.inches;
}

TEST(InchTextTest, MillimetresMadeFromInchesComeBackAsTheInchesTyped)
{
    const struct {
        const char* millimetres;
        char separator;
        const char* inches;
    } cases[] = {
        {"49.9999999998", '.', "1.968503937"},
        {"50.8", '.', "2"},
        {"63,500", ',', "2,50"},
        {"0.0254", '.', "0.001"},
        {"-508e2", '.', "-2000"},
        {"1016e0", ',', "40"},
        {"254", '.', "10"},
        // Millimetres that no decimal inch text gives: ten digits.
        {"50", '.', "1.968503937"},
        {"0,1", ',', "0,003937007874"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(eh::InchTextOfMillimetres(c.millimetres, c.separator), c.inches) << c.millimetres;
}

eh::TFieldTexts Texts(const char* cylinder, const char* wire)
{
    return {"14.2", cylinder, "3", wire, "2", "2", "0"};
}

TEST(InchReadingTest, TheFourLengthsAreInchesTheOthersUnchanged)
{
    const eh::TFieldReading reading =
        eh::ReadFieldTexts({"14.2", "1", "3", "0.5", "0.25", "2", "500"}, '.', {TLengthUnit::Inch});
    ASSERT_FALSE(reading.badField);
    EXPECT_EQ(reading.inputs.FrequencyMHz, 14.2);
    EXPECT_EQ(reading.inputs.CylinderDiameterMm, 25.4);
    EXPECT_EQ(reading.inputs.LengthToDiameter, 3);
    EXPECT_EQ(reading.inputs.WireDiameterMm, 12.7);
    EXPECT_EQ(reading.inputs.WindingPitchMm, 6.35);
    EXPECT_EQ(reading.inputs.TurnDiameterMm, 50.8);
    EXPECT_EQ(reading.inputs.MeasuredBandwidthKHz, 500);
}

TEST(InchReadingTest, ReadsAsTheMillimetreTextOfTheSameDecimal)
{
    const eh::TFieldReading reading = eh::ReadFieldTexts(Texts("1.968503937", "1"), '.', {TLengthUnit::Inch});
    EXPECT_EQ(reading.inputs.CylinderDiameterMm, eh::ConvertFieldText("49.9999999998", '.'));
}

TEST(InchReadingTest, ANonNumberIsTheSameBadFieldAsInMillimetres)
{
    for (const char* text : {"", "abc", "1..2", "e5"}) {
        const eh::TFieldReading reading = eh::ReadFieldTexts(Texts(text, "1"), '.', {TLengthUnit::Inch});
        EXPECT_EQ(reading.badField, std::optional<std::size_t>(1)) << text;
    }
    EXPECT_THROW(eh::ReadFieldTexts(Texts("1e400", "1"), '.', {TLengthUnit::Inch}), eh::EOverflow);
}

struct GaugeCase {
    const char* text;
    std::optional<int> gauge;
};

TEST(WireGaugeTest, Forms)
{
    const GaugeCase cases[] = {
        {"14 AWG", 14}, {"AWG14", 14},  {"#14", 14},  {" awg 14 ", 14}, {"14awg", 14},       {"0000", std::nullopt},
        {"0000 AWG", -3}, {"4/0 AWG", -3}, {"#00", -1}, {"1/0", std::nullopt}, {"#1/0", 0}, {"40 AWG", 40},
        {"41 AWG", std::nullopt}, {"014 AWG", std::nullopt}, {"AWG", std::nullopt}, {"#", std::nullopt},
        {"14", std::nullopt}, {"5/0 AWG", std::nullopt}, {"#1.5", std::nullopt}, {"#-1", std::nullopt},
    };
    for (const GaugeCase& c : cases)
        EXPECT_EQ(eh::ReadWireGauge(c.text), c.gauge) << c.text;
}

TEST(WireGaugeTest, DiametersAtTheEndsAndInBetween)
{
    const struct {
        int gauge;
        double millimetres; // 0.127 x 92^((36 - gauge)/39)
    } cases[] = {{-3, 11.684}, {14, 1.627726633791505}, {36, 0.127}, {40, 0.0798710851323451}};
    for (const auto& c : cases)
        EXPECT_NEAR(eh::WireGaugeDiameterMm(c.gauge), c.millimetres, c.millimetres * 1e-15) << c.gauge;
}

TEST(WireGaugeTest, TheDiameterIsShownInTheLengthUnitOfTheFields)
{
    const struct {
        int gauge;
        char separator;
        eh::TLanguage language;
        TLengthUnit unit;
        std::string shown;
    } cases[] = {
        {14, '.', eh::TLanguage::English, TLengthUnit::Millimetre, "= 1.628 mm"},
        {14, '.', eh::TLanguage::English, TLengthUnit::Inch, "= 0.064 in"},
        {-3, ',', eh::TLanguage::Russian, TLengthUnit::Inch, "= 0,460 дюйм"},
        {40, ',', eh::TLanguage::Russian, TLengthUnit::Millimetre, "= 0,080 мм"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(eh::WireGaugeDiameterText(c.gauge, c.separator, c.language, c.unit), c.shown) << c.gauge;
}

TEST(WireGaugeTest, ReadInEitherUnitOnlyWhereGaugesAreTaken)
{
    for (const TLengthUnit unit : {TLengthUnit::Millimetre, TLengthUnit::Inch}) {
        const eh::TFieldReading reading = eh::ReadFieldTexts(Texts("50", "14 AWG"), '.', {unit, true});
        EXPECT_EQ(reading.inputs.WireDiameterMm, eh::WireGaugeDiameterMm(14));
        EXPECT_NEAR(reading.inputs.WireDiameterMm, 1.628, 0.0005);
    }
    EXPECT_EQ(eh::ReadFieldTexts(Texts("50", "14 AWG"), '.').badField, std::optional<std::size_t>(3));
    EXPECT_EQ(eh::ReadFieldTexts(Texts("#14", "1"), '.', {TLengthUnit::Millimetre, true}).badField,
              std::optional<std::size_t>(1));
}

} // namespace
