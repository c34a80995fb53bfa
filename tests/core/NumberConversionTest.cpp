// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseName.h"
#include "CoreTestSupport.h"
#include "NumberConversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace {

using eh::test::PrintTo;

using eh::ConvertFieldText;
using eh::TextToExtended;
using eh::test::CatchFault;

std::string NotANumber(const std::string& converted)
{
    return "'" + converted + "' is not a valid floating point value";
}

// ---------------------------------------------------------------------------
// A field's text to a double: points become commas first.

enum class Outcome { Value, Rejected, Overflow };

struct FieldTextCase {
    const char* name;
    std::string text;
    char separator;
    Outcome outcome;
    double value = 0;          // for Value
    std::string converted = {}; // for Rejected: the text the message quotes
};

FieldTextCase Reads(const char* name, std::string text, char separator, double value)
{
    return {name, std::move(text), separator, Outcome::Value, value};
}

FieldTextCase Rejects(const char* name, std::string text, char separator, std::string converted)
{
    return {name, std::move(text), separator, Outcome::Rejected, 0, std::move(converted)};
}

FieldTextCase Overflows(const char* name, std::string text, char separator)
{
    return {name, std::move(text), separator, Outcome::Overflow};
}

const FieldTextCase kFieldTexts[] = {
    // Comma as the regional separator.
    Reads("PointFraction", "1.5", ',', 1.5),
    Reads("CommaFraction", "1,5", ',', 1.5),
    Reads("SurroundingSpaces", " 1.5 ", ',', 1.5),
    Reads("ManySpaces", "     1.5      ", ',', 1.5),
    Reads("ExponentForm", "15e-1", ',', 1.5),
    Reads("UpperCaseExponent", "1E2", ',', 100),
    Reads("TrailingPoint", "5.", ',', 5),
    Reads("LonePoint", ".", ',', 0),
    Reads("NegativeLeadingPoint", "-.5", ',', -0.5),
    Reads("LoneComma", ",", ',', 0),
    Reads("TrailingComma", "5,", ',', 5),
    Reads("LeadingComma", ",5", ',', 0.5),
    Reads("PlusSign", "+5", ',', 5),
    Reads("LeadingZeros", "007", ',', 7),
    Reads("BareExponent", "1e", ',', 1),
    Reads("ExponentPlusOnly", "1e+", ',', 1),
    Reads("ExponentMinusOnly", "1e-", ',', 1),
    Reads("ExponentWithLeadingZeros", "1e+0002", ',', 100),
    Reads("SignedExponentWithSpaces", "  -3.25e+2  ", ',', -325),
    Reads("SeparatorThenExponent", ",e5", ',', 0),
    Reads("TooSmallForADouble", "1e-400", ',', 0),
    Reads("FarTooSmall", "1e-4999", ',', 0),
    Reads("NegativeZero", "-0", ',', 0),
    Overflows("ExponentStoppedAt500", "1e0500", ','),
    Overflows("BeyondDoubleRange", "1e400", ','),
    Overflows("NegativeBeyondDoubleRange", "-1e400", ','),
    Overflows("ManyDigitsBeyondDoubleRange", "18e307", ','),
    Rejects("FourthExponentDigitUnread", "1e5000", ',', "1e5000"),
    Rejects("NegativeFourthExponentDigitUnread", "1e-5000", ',', "1e-5000"),
    Rejects("BeyondExtendedRange", "1e4999", ',', "1e4999"),
    Rejects("SecondSeparator", "12.5.", ',', "12,5,"),
    Rejects("MixedSeparators", "1,5.5", ',', "1,5,5"),
    Rejects("SpaceInsideNumber", "1 000", ',', "1 000"),
    Rejects("Empty", "", ',', ""),
    Rejects("SpacesOnly", "   ", ',', "   "),
    Rejects("PlusOnly", "+", ',', "+"),
    Rejects("MinusOnly", "-", ',', "-"),
    Rejects("TwoSigns", "+-5", ',', "+-5"),
    Rejects("SpaceAfterSign", "- 5", ',', "- 5"),
    Rejects("Letters", "abc", ',', "abc"),
    Rejects("TrailingLetter", "5x", ',', "5x"),
    Rejects("ExponentOnly", "e5", ',', "e5"),
    Rejects("FractionInExponent", "1,5e1,5", ',', "1,5e1,5"),
    Rejects("LeadingTab", "\t1", ',', "\t1"),
    Rejects("TrailingTab", "1\t", ',', "1\t"),
    Rejects("LeadingNonBreakingSpace", "\xC2\xA0" "1", ',', "\xC2\xA0" "1"),
    Rejects("Nan", "nan", ',', "nan"),
    Rejects("Inf", "inf", ',', "inf"),
    Rejects("Infinity", "Infinity", ',', "Infinity"),
    Rejects("Hexadecimal", "0x10", ',', "0x10"),
    Rejects("TrailingNul", std::string("1\0", 2), ',', std::string("1\0", 2)),
    // Point as the regional separator: a point is the decimal mark, a comma
    // is not, and the default text "0.1" reads back.
    Reads("PointSeparatorPointFraction", "1.5", '.', 1.5),
    Reads("PointSeparatorDefaultText", "0.1", '.', 0.1),
    Reads("PointSeparatorTrailingPoint", "5.", '.', 5),
    Reads("PointSeparatorLonePoint", ".", '.', 0),
    Rejects("PointSeparatorCommaFraction", "1,5", '.', "1,5"),
    Rejects("PointSeparatorTwoPoints", "12.5.", '.', "12.5."),
    Reads("PointSeparatorWholeNumber", "15", '.', 15),
    Reads("PointSeparatorExponentForm", "15e-1", '.', 1.5),
    Reads("PointSeparatorSignedExponent", " -15E+1 ", '.', -150),
    Overflows("PointSeparatorBeyondDoubleRange", "1e400", '.'),
};

class FieldTextTest : public testing::TestWithParam<FieldTextCase> {};

TEST_P(FieldTextTest, ConvertsOrFails)
{
    const FieldTextCase& c = GetParam();
    double value = -12345;
    const auto fault = CatchFault([&] { value = ConvertFieldText(c.text, c.separator); });
    switch (c.outcome) {
    case Outcome::Value:
        EXPECT_EQ(fault.kind, "");
        EXPECT_EQ(value, c.value);
        break;
    case Outcome::Rejected:
        EXPECT_EQ(fault.kind, "EConvertError");
        EXPECT_TRUE(fault.typeMatchesKind);
        // A message is a C string: it ends at a NUL byte of the quoted text.
        EXPECT_EQ(fault.message, NotANumber(c.converted).c_str());
        break;
    case Outcome::Overflow:
        EXPECT_EQ(fault.kind, "EOverflow");
        EXPECT_TRUE(fault.typeMatchesKind);
        EXPECT_EQ(fault.message, eh::test::kOverflowText);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, FieldTextTest, testing::ValuesIn(kFieldTexts),
                         [](const testing::TestParamInfo<FieldTextCase>& info) { return std::string(info.param.name); });

TEST(FieldTextTest, CommonValuesAreTheNearestDoubles)
{
    // Within the last bit: the quotient is rounded to extended, then to a
    // double.
    EXPECT_DOUBLE_EQ(ConvertFieldText("14.2", ','), 14.2);
    EXPECT_DOUBLE_EQ(ConvertFieldText("0.1", ','), 0.1);
    EXPECT_DOUBLE_EQ(ConvertFieldText("0,1", ','), 0.1);
    EXPECT_EQ(ConvertFieldText("50", ','), 50.0);
    EXPECT_DOUBLE_EQ(ConvertFieldText("1106.167191", ','), 1106.167191);
    EXPECT_DOUBLE_EQ(ConvertFieldText("-14.2", ','), -14.2);
    EXPECT_DOUBLE_EQ(ConvertFieldText("1e308", ','), 1e308);
    EXPECT_DOUBLE_EQ(ConvertFieldText("0.1000000000000000000000000001", ','), 0.1);
}

TEST(FieldTextTest, SubnormalValuesAreKept)
{
    double value = 0;
    ASSERT_NO_THROW(value = ConvertFieldText("1e-310", ','));
    EXPECT_NEAR(value, 1e-310, 1e-323);
    EXPECT_EQ(std::fpclassify(value), FP_SUBNORMAL);
}

TEST(FieldTextTest, NegativeZeroKeepsItsSign)
{
    EXPECT_TRUE(std::signbit(ConvertFieldText("-0", ',')));
}

// ---------------------------------------------------------------------------
// The conversion itself, without the point-to-comma step.

TEST(TextToExtendedTest, UsesTheSeparatorItIsGiven)
{
    EXPECT_EQ(TextToExtended("1.5", '.'), 1.5L);
    EXPECT_EQ(TextToExtended("1,5", ','), 1.5L);
    const auto comma = CatchFault([] { TextToExtended("1,5", '.'); });
    EXPECT_EQ(comma.kind, "EConvertError");
    EXPECT_EQ(comma.message, NotANumber("1,5"));
    const auto point = CatchFault([] { TextToExtended("1.5", ','); });
    EXPECT_EQ(point.kind, "EConvertError");
    EXPECT_EQ(point.message, NotANumber("1.5"));
}

TEST(TextToExtendedTest, AccumulatesInExtendedPrecision)
{
    // 20 digits, exact in the 64-bit significand but not in a double.
    EXPECT_EQ(TextToExtended("12345678901234567890", ','), 12345678901234567890.0L);
    EXPECT_EQ(TextToExtended("18446744073709551615", ','), 18446744073709551615.0L); // 2^64 - 1
}

TEST(TextToExtendedTest, KeepsTheExtendedRange)
{
    long double value = 0;
    ASSERT_NO_THROW(value = TextToExtended("1e500", ','));
    EXPECT_GT(value, 9e499L);
    EXPECT_LT(value, 2e500L);
    ASSERT_NO_THROW(value = TextToExtended("1e4932", ','));
    EXPECT_GT(value, 9e4931L);
    EXPECT_EQ(CatchFault([] { TextToExtended("1e4933", ','); }).kind, "EConvertError");
    EXPECT_EQ(CatchFault([] { TextToExtended("-1e4933", ','); }).kind, "EConvertError");
}

// ---------------------------------------------------------------------------
// Hostile texts: they are judged, never crash and never hang.

TEST(HostileFieldTextTest, AMegabyteOfNinesLeavesTheExtendedRange)
{
    const std::string text(1'000'000, '9');
    const auto fault = CatchFault([&] { ConvertFieldText(text, ','); });
    EXPECT_EQ(fault.kind, "EConvertError");
    EXPECT_EQ(fault.message, NotANumber(text));
}

TEST(HostileFieldTextTest, AMegabyteOfLeadingZeros)
{
    EXPECT_EQ(ConvertFieldText(std::string(1'000'000, '0') + "1", ','), 1.0);
    EXPECT_EQ(ConvertFieldText(std::string(1'000'000, '0'), ','), 0.0);
}

TEST(HostileFieldTextTest, AMegabyteOfFractionZerosUnderflowsSilently)
{
    EXPECT_EQ(ConvertFieldText("0." + std::string(1'000'000, '0') + "1", ','), 0.0);
}

TEST(HostileFieldTextTest, ManyIntegerDigitsAtTheRangeEdges)
{
    // 10^4931 fits the extended range but not a double; 10^4933 fits neither.
    EXPECT_EQ(CatchFault([] { ConvertFieldText("1" + std::string(4931, '0'), ','); }).kind, "EOverflow");
    EXPECT_EQ(CatchFault([] { ConvertFieldText("1" + std::string(4933, '0'), ','); }).kind, "EConvertError");
    // Many digits that the fraction brings back into range.
    EXPECT_DOUBLE_EQ(ConvertFieldText("1" + std::string(300, '0') + "e-300", ','), 1.0);
}

TEST(HostileFieldTextTest, TenThousandExponentDigits)
{
    EXPECT_EQ(ConvertFieldText("1e" + std::string(10'000, '0'), ','), 1.0);
    EXPECT_DOUBLE_EQ(ConvertFieldText("1e-" + std::string(9'999, '0') + "5", ','), 1e-5);
    const std::string ones = "1e" + std::string(10'000, '1');
    const auto fault = CatchFault([&] { ConvertFieldText(ones, ','); });
    EXPECT_EQ(fault.kind, "EConvertError");
    EXPECT_EQ(fault.message, NotANumber(ones));
}

TEST(HostileFieldTextTest, BinaryBytesAreRejected)
{
    std::string everyByte;
    for (int b = 1; b < 256; ++b)
        everyByte += static_cast<char>(b);
    std::string converted = everyByte;
    converted['.' - 1] = ',';
    const auto fault = CatchFault([&] { ConvertFieldText(everyByte, ','); });
    EXPECT_EQ(fault.kind, "EConvertError");
    EXPECT_EQ(fault.message, NotANumber(converted));

    for (const std::string& text : {std::string("\xFF\xFE" "1"), std::string(1, '\0'), std::string("1\0" "2", 3),
                                    std::string("\x80"), std::string("5\r\n")}) {
        EXPECT_EQ(CatchFault([&] { ConvertFieldText(text, ','); }).kind, "EConvertError");
    }
}

} // namespace
