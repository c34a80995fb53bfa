// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseName.h"
#include "CoreTestSupport.h"
#include "ExtendedMath.h"
#include "SkipUnlessX87.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <ostream>
#include <string>

namespace {

using eh::test::PrintTo;

namespace xm = eh::xmath;
using eh::test::CatchFault;
using Extended = xm::Extended;

// ---------------------------------------------------------------------------
// Operations that fault: each operand combination with its kind and message.

struct FaultingOperation {
    const char* name;
    std::function<void()> operation;
    const char* kind;
    const char* message;
};

const FaultingOperation kFaultingOperations[] = {
    {"DivideByZero", [] { xm::Div(1.0L, 0.0L); }, "EZeroDivide", eh::test::kZeroDivideText},
    {"DivideByNegativeZero", [] { xm::Div(1.0L, -0.0L); }, "EZeroDivide", eh::test::kZeroDivideText},
    {"DivideNegativeByZero", [] { xm::Div(-7.5L, 0.0L); }, "EZeroDivide", eh::test::kZeroDivideText},
    {"DivideTinyByZero", [] { xm::Div(0x1p-16400L, 0.0L); }, "EZeroDivide", eh::test::kZeroDivideText},
    {"ZeroByZero", [] { xm::Div(0.0L, 0.0L); }, "EInvalidOp", eh::test::kInvalidOpText},
    {"NegativeZeroByZero", [] { xm::Div(-0.0L, 0.0L); }, "EInvalidOp", eh::test::kInvalidOpText},
    {"ZeroByNegativeZero", [] { xm::Div(0.0L, -0.0L); }, "EInvalidOp", eh::test::kInvalidOpText},
    {"SqrtOfNegative", [] { xm::Sqrt(-1.0L); }, "EInvalidOp", eh::test::kInvalidOpText},
    {"SqrtOfTinyNegative", [] { xm::Sqrt(-0x1p-16000L); }, "EInvalidOp", eh::test::kInvalidOpText},
    {"Log10OfZero", [] { xm::Log10(0.0L); }, "EZeroDivide", eh::test::kZeroDivideText},
    {"Log10OfNegativeZero", [] { xm::Log10(-0.0L); }, "EZeroDivide", eh::test::kZeroDivideText},
    {"Log10OfNegative", [] { xm::Log10(-2.0L); }, "EInvalidOp", eh::test::kInvalidOpText},
    {"Log10OfMinusOne", [] { xm::Log10(-1.0L); }, "EInvalidOp", eh::test::kInvalidOpText},
    {"StoreOverflowThreshold", [] { xm::Store(0x1p1024L - 0x1p970L); }, "EOverflow", eh::test::kOverflowText},
    {"StoreNegativeOverflowThreshold", [] { xm::Store(-(0x1p1024L - 0x1p970L)); }, "EOverflow",
     eh::test::kOverflowText},
    {"StoreTwoToThe1024", [] { xm::Store(0x1p1024L); }, "EOverflow", eh::test::kOverflowText},
    {"Store1e400", [] { xm::Store(1e400L); }, "EOverflow", eh::test::kOverflowText},
    {"StoreMinus1e4000", [] { xm::Store(-1e4000L); }, "EOverflow", eh::test::kOverflowText},
    {"StoreLargestExtended", [] { xm::Store(std::numeric_limits<Extended>::max()); }, "EOverflow",
     eh::test::kOverflowText},
};

class FaultingOperationTest : public testing::TestWithParam<FaultingOperation> {};

TEST_P(FaultingOperationTest, RaisesItsFault)
{
    const FaultingOperation& c = GetParam();
    const auto fault = CatchFault(c.operation);
    EXPECT_EQ(fault.kind, c.kind);
    EXPECT_EQ(fault.message, c.message);
    EXPECT_TRUE(fault.typeMatchesKind);
}

INSTANTIATE_TEST_SUITE_P(CheckedOperations, FaultingOperationTest, testing::ValuesIn(kFaultingOperations),
                         [](const testing::TestParamInfo<FaultingOperation>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// Results of operations that do not fault.

TEST(ExtendedMathTest, DivisionIsThePlainQuotient)
{
    EXPECT_EQ(xm::Div(6.0L, 3.0L), 2.0L);
    EXPECT_EQ(xm::Div(1.0L, 3.0L), 1.0L / 3.0L);
    EXPECT_EQ(xm::Div(0.0L, 5.0L), 0.0L);
    EXPECT_EQ(xm::Div(-1.0L, 4.0L), -0.25L);
    // Extended range: a quotient far beyond the double range is no fault.
    EXPECT_EQ(xm::Div(1.0L, 1e-4000L), 1.0L / 1e-4000L);
    EXPECT_GT(xm::Div(1.0L, 1e-4000L), 1e3999L);
}

TEST(ExtendedMathTest, SquareIsOneRoundedMultiplication)
{
    EXPECT_EQ(xm::Sqr(-3.0L), 9.0L);
    EXPECT_EQ(xm::Sqr(0.0L), 0.0L);
    // Beyond the double range without fault.
    EXPECT_NEAR(static_cast<double>(xm::Sqr(1e300L) / 1e600L), 1.0, 1e-18);
}

TEST(ExtendedMathTest, SquareRoundsToThe64BitSignificand)
{
    EH_SKIP_UNLESS_X87_EXTENDED();
    // (1 + 2^-32)^2 = 1 + 2^-31 + 2^-64: the last term is half a unit of the
    // 64-bit significand and rounds to even.
    EXPECT_EQ(xm::Sqr(1.0L + 0x1p-32L), 1.0L + 0x1p-31L);
}

TEST(ExtendedMathTest, CubeMultipliesTheSquareByX)
{
    EXPECT_EQ(xm::Cube(-2.0L), -8.0L);
    EXPECT_EQ(xm::Cube(0.0L), 0.0L);
    EXPECT_EQ(xm::Cube(3.0L), 27.0L);
}

TEST(ExtendedMathTest, CubeRoundsTheSquareFirst)
{
    EH_SKIP_UNLESS_X87_EXTENDED();
    // x = 1 + 2^-32: the rounded square 1 + 2^-31 times x is
    // 1 + 3 * 2^-32 + 2^-63, whereas the exact cube rounds to
    // 1 + 3 * 2^-32 + 2^-62.
    EXPECT_EQ(xm::Cube(1.0L + 0x1p-32L), 1.0L + 0x3p-32L + 0x1p-63L);
}

TEST(ExtendedMathTest, SquareRootOfZeroIsZeroForBothSigns)
{
    EXPECT_EQ(xm::Sqrt(0.0L), 0.0L);
    EXPECT_EQ(xm::Sqrt(-0.0L), 0.0L);
}

TEST(ExtendedMathTest, SquareRootGoesThroughTheLogarithm)
{
    EXPECT_NEAR(static_cast<double>(xm::Sqrt(4.0L)), 2.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(xm::Sqrt(2.0L)), 1.4142135623730951, 1e-15);
    EXPECT_NEAR(static_cast<double>(xm::Sqrt(14.2e6L)), 3768.2887362833544, 1e-9);
    // Far beyond the double range.
    EXPECT_NEAR(static_cast<double>(xm::Sqrt(1e600L) / 1e300L), 1.0, 1e-15);
}

TEST(ExtendedMathTest, DecimalLogarithm)
{
    EXPECT_EQ(xm::Log10(1.0L), 0.0L);
    EXPECT_FALSE(std::signbit(xm::Log10(1.0L)));
    EXPECT_NEAR(static_cast<double>(xm::Log10(1000.0L)), 3.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(xm::Log10(0.5L)), -0.30102999566398120, 1e-15);
    EXPECT_NEAR(static_cast<double>(xm::Log10(1e-4000L)), -4000.0, 1e-12);
}

// ---------------------------------------------------------------------------
// Storing an extended value as a double.

TEST(ExtendedMathTest, StoreKeepsTheLargestDouble)
{
    EXPECT_EQ(xm::Store(DBL_MAX), DBL_MAX);
    EXPECT_EQ(xm::Store(-DBL_MAX), -DBL_MAX);
}

TEST(ExtendedMathTest, StoreRoundsJustBelowTheThresholdToTheLargestDouble)
{
    // The extended value next below 2^1024 - 2^970 (2^960 below it with the
    // x87 format's 64-bit significand).
    const Extended justBelow = std::nextafter(0x1p1024L - 0x1p970L, 0.0L);
    EXPECT_EQ(xm::Store(justBelow), DBL_MAX);
    EXPECT_EQ(xm::Store(-justBelow), -DBL_MAX);
}

TEST(ExtendedMathTest, StoreRoundsToNearestEven)
{
    EXPECT_EQ(xm::Store(1.0L + 0x1p-53L), 1.0);                         // tie: even
    EXPECT_EQ(xm::Store(1.0L + 0x1p-53L + 0x1p-63L), 1.0 + 0x1p-52);    // above the tie
    EXPECT_EQ(xm::Store(1.0L + 0x3p-53L), 1.0 + 0x1p-51);               // tie: even upwards
    EXPECT_EQ(xm::Store(0.1L), 0.1);
    EXPECT_EQ(xm::Store(-2.5L), -2.5);
}

TEST(ExtendedMathTest, StoreUnderflowsSilently)
{
    double stored = 1;
    ASSERT_NO_THROW(stored = xm::Store(1e-310L));
    EXPECT_EQ(stored, 1e-310);
    EXPECT_EQ(std::fpclassify(stored), FP_SUBNORMAL);
    ASSERT_NO_THROW(stored = xm::Store(0x1p-1074L));
    EXPECT_EQ(stored, std::numeric_limits<double>::denorm_min());
    ASSERT_NO_THROW(stored = xm::Store(1e-400L));
    EXPECT_EQ(stored, 0.0);
    ASSERT_NO_THROW(stored = xm::Store(-1e-4000L));
    EXPECT_EQ(stored, 0.0);
    ASSERT_NO_THROW(stored = xm::Store(0.0L));
    EXPECT_EQ(stored, 0.0);
}

} // namespace
