// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumberFormat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace {

using eh::FormatReportNumber;

struct NumberTextCase {
    double value;
    const char* comma; // with ',' as the decimal separator
};

// The texts a report value is written as: two decimals, ties rounded away
// from zero on the value's 18-digit decimal form, exponent form from 10^18.
const NumberTextCase kNumberTexts[] = {
    // Ordinary values.
    {14.2, "14,20"},
    {1234567.891, "1234567,89"},
    {0.5, "0,50"},
    {100.0, "100,00"},
    {54.241348, "54,24"},
    {428.16854, "428,17"},
    // Exact binary ties round away from zero.
    {0.125, "0,13"},
    {-0.125, "-0,13"},
    {0.375, "0,38"},
    {0.625, "0,63"},
    {-0.625, "-0,63"},
    {1.125, "1,13"},
    // Decimal "ties" that are below the tie in binary: the 18-digit form
    // decides (1.005 is 1.00499999999999989...).
    {1.005, "1,00"},
    {0.995, "0,99"},
    {9.995, "9,99"},
    {2.675, "2,67"},
    {0.015, "0,01"},
    // ... and one above the tie: 999.995000000000005.
    {999.995, "1000,00"},
    {-999.995, "-1000,00"},
    // Carries through every digit.
    {99.999, "100,00"},
    {999999.999, "1000000,00"},
    // Below one cent.
    {0.005, "0,01"},
    {0.0051, "0,01"},
    {0.01, "0,01"},
    {0.0049, "0,00"},
    {-0.004, "0,00"},
    {-0.0049, "0,00"},
    {-0.005, "-0,01"},
    {0.0005, "0,00"},
    {1e-300, "0,00"},
    {-1e-300, "0,00"},
    {DBL_MIN, "0,00"},
    {std::numeric_limits<double>::denorm_min(), "0,00"},
    {-std::numeric_limits<double>::denorm_min(), "0,00"},
    // Zero of either sign.
    {0.0, "0,00"},
    {-0.0, "0,00"},
    // Up to 18 integer digits in fixed form.
    {1e17 + 0.5, "100000000000000000,00"},
    {123456789012345678.0, "123456789012345680,00"},
    {999999999999999872.0, "999999999999999872,00"},
    {123456789012345.67, "123456789012345,67"},
    {1e15 + 0.25, "1000000000000000,25"},
    // From 10^18 the exponent form.
    {999999999999999999.0, "1E18"}, // the nearest double is 10^18
    {1e18, "1E18"},
    {1.5e20, "1,5E20"},
    {-1.5e20, "-1,5E20"},
    {1.25e19, "1,25E19"},
    {12345678901234567890.0, "1,23456789012345672E19"},
    {9999999999999999999.0, "1E19"},
    {1234567890123456789012.0, "1,23456789012345677E21"},
    {1e100, "1,00000000000000002E100"},
    {1e300, "1,00000000000000005E300"},
    {DBL_MAX, "1,79769313486231571E308"},
    {-DBL_MAX, "-1,79769313486231571E308"},
};

void PrintTo(const NumberTextCase& c, std::ostream* os)
{
    char value[eh::kShortestNumberMaxBytes];
    *os << std::string(value, eh::WriteShortestNumber(value, c.value)) << " -> " << c.comma;
}

class NumberTextTest : public testing::TestWithParam<NumberTextCase> {};

TEST_P(NumberTextTest, WithCommaSeparator)
{
    EXPECT_EQ(FormatReportNumber(GetParam().value, ','), GetParam().comma);
}

TEST_P(NumberTextTest, WithPointSeparatorOnlyTheSeparatorChanges)
{
    std::string expected = GetParam().comma;
    for (char& c : expected) {
        if (c == ',')
            c = '.';
    }
    EXPECT_EQ(FormatReportNumber(GetParam().value, '.'), expected);
}

INSTANTIATE_TEST_SUITE_P(Values, NumberTextTest, testing::ValuesIn(kNumberTexts));

TEST(NumberTextTest, AnyOtherSeparatorCharacter)
{
    EXPECT_EQ(FormatReportNumber(14.2, ';'), "14;20");
    EXPECT_EQ(FormatReportNumber(0.0, ';'), "0;00");
    EXPECT_EQ(FormatReportNumber(1.5e20, ';'), "1;5E20");
}

TEST(NumberTextTest, NeverWritesANegativeZero)
{
    for (const double v : {-0.0, -0.001, -0.0049999, -1e-20, -DBL_MIN}) {
        const std::string text = FormatReportNumber(v, ',');
        EXPECT_EQ(text, "0,00") << v;
    }
}

TEST(NumberTextTest, IntegerPartHasNoGrouping)
{
    const std::string text = FormatReportNumber(987654321.0, ',');
    EXPECT_EQ(text, "987654321,00");
}

} // namespace
