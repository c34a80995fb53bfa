// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseName.h"
#include "ExtendedElementary.h"
#include "ExtendedMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using eh::test::PrintTo;
using eh::xmath::DoubleDouble;
using eh::xmath::DoubleDoubleDeclined;
namespace xm = eh::xmath;

// Results against their exact values rounded to double-double (hi + lo, the
// digits from 60-digit decimal arithmetic).
struct ExactValue {
    const char* name;
    std::function<DoubleDouble()> compute;
    double hi;
    double lo;
    double maxUnitsOff; // units of 2^-106 relative to the value
};

const ExactValue kExactValues[] = {
    {"SumOfTwoDoublesIsExact", [] { return DoubleDouble(0.1) + DoubleDouble(0.2); }, 0x1.3333333333334p-2,
     -0x1p-55, 0},
    {"ProductOfTwoDoublesIsExact", [] { return DoubleDouble(0x1p27 + 1) * DoubleDouble(0x1p27 + 1); },
     0x1.0000004p+54, 1.0, 0},
    {"ZeroTimesAValueIsZero", [] { return DoubleDouble(0.0) * DoubleDouble(5.0); }, 0.0, 0.0, 0},
    {"OneThird", [] { return DoubleDouble(1.0) / DoubleDouble(3.0); }, 0x1.5555555555555p-2,
     0x1.5555555555555p-56, 4},
    {"PicofaradsOverSeven", [] { return DoubleDouble(1e-12) / DoubleDouble(7); }, 0x1.41af893a23013p-43,
     0x1.b6db6db6db6dbp-97, 4},
    {"SevenOverADoubleDoubleThird", [] { return DoubleDouble(7) / (DoubleDouble(1.0) / DoubleDouble(3.0)); },
     0x1.5p+4, 0x1.5p-104, 4},
    {"SquareRootOfTwo", [] { return Sqrt(DoubleDouble(2.0)); }, 0x1.6a09e667f3bcdp+0, -0x1.bdd3413b26456p-54, 4},
    {"SquareRootOf98.7", [] { return Sqrt(DoubleDouble(98.7)); }, 0x1.3de9c73181169p+3, -0x1.34327a6f22eafp-51,
     4},
    {"Log10OfSeven", [] { return xm::Log10(DoubleDouble(7.0)); }, 0x1.b0b0b0b78cc3fp-1, 0x1.4b692ff8a8060p-56, 16},
    {"Log10Of0.00314", [] { return xm::Log10(DoubleDouble(0.00314)); }, -0x1.40649bfa8e6ebp+1,
     0x1.ec41e32664156p-54, 16},
};

class ExactValueTest : public testing::TestWithParam<ExactValue> {};

TEST_P(ExactValueTest, WithinAFewUnitsOfItsLastPlace)
{
    const ExactValue& c = GetParam();
    const DoubleDouble x = c.compute();
    // hi agrees but for a unit at most, so the differences are exact.
    const double off = (x.High() - c.hi) + (x.Low() - c.lo);
    EXPECT_LE(std::fabs(off), c.maxUnitsOff * 0x1p-106 * std::fabs(c.hi)) << x.High() << " + " << x.Low();
}

INSTANTIATE_TEST_SUITE_P(Values, ExactValueTest, testing::ValuesIn(kExactValues));

// Where the route cannot vouch for a result it declines, and the model
// computes the design again in long double.
struct DeclinedOperation {
    const char* name;
    std::function<void()> operation;
};

const DeclinedOperation kDeclinedOperations[] = {
    {"DivisionByZero", [] { DoubleDouble(1.0) / DoubleDouble(0.0); }},
    {"ZeroByZero", [] { xm::Div(DoubleDouble(0.0), DoubleDouble(0.0)); }},
    {"SquareRootOfNegative", [] { Sqrt(DoubleDouble(-1e-9)); }},
    {"Log10OfZero", [] { xm::Log10(DoubleDouble(0.0)); }},
    {"Log10OfNegative", [] { xm::Log10(DoubleDouble(-2.0)); }},
    {"Log10WithinTwoToTheMinus40OfOne", [] { xm::Log10(DoubleDouble(1.0) + DoubleDouble(0x1p-41)); }},
    {"ProductBeyondTheRange", [] { DoubleDouble(0x1p300) * DoubleDouble(0x1p201); }},
    {"QuotientBelowTheRange", [] { DoubleDouble(0x1p-300) / DoubleDouble(0x1p201); }},
    {"InputBeyondTheRange", [] { DoubleDouble(1e300); }},
    {"InputBelowTheRange", [] { DoubleDouble(1e-170); }},
    {"SumThatKeepsFewerThan40Bits", [] { DoubleDouble(1.0) - DoubleDouble(1.0 + 0x1p-45); }},
    {"SumThatCancelsExactly", [] { DoubleDouble(3.0) - DoubleDouble(3.0); }},
};

class DeclinedOperationTest : public testing::TestWithParam<DeclinedOperation> {};

TEST_P(DeclinedOperationTest, Declines) { EXPECT_THROW(GetParam().operation(), DoubleDoubleDeclined); }

INSTANTIATE_TEST_SUITE_P(Operations, DeclinedOperationTest, testing::ValuesIn(kDeclinedOperations));

// A zero result has the sign the wide type's operation gives it.
struct SignedZero {
    const char* name;
    std::function<double()> doubleDouble;
    std::function<double()> wide;
};

const SignedZero kSignedZeros[] = {
    {"NegativeZeroTimesPositive", [] { return xm::Store(DoubleDouble(-0.0) * DoubleDouble(5.0)); },
     [] { return xm::Store(-0.0L * 5.0L); }},
    {"PositiveZeroTimesNegative", [] { return xm::Store(DoubleDouble(0.0) * DoubleDouble(-0.3)); },
     [] { return xm::Store(0.0L * -0.3L); }},
    {"ZeroOverNegative", [] { return xm::Store(DoubleDouble(0.0) / (DoubleDouble(1.0) / DoubleDouble(-3.0))); },
     [] { return xm::Store(0.0L / (1.0L / -3.0L)); }},
    {"NegativeZeroPlusNegativeZero", [] { return xm::Store(DoubleDouble(-0.0) + DoubleDouble(-0.0)); },
     [] { return xm::Store(-0.0L + -0.0L); }},
    {"NegativeZeroPlusZero", [] { return xm::Store(DoubleDouble(-0.0) + DoubleDouble(0.0)); },
     [] { return xm::Store(-0.0L + 0.0L); }},
    {"ZeroMinusZero", [] { return xm::Store(DoubleDouble(0.0) - DoubleDouble(0.0)); },
     [] { return xm::Store(0.0L - 0.0L); }},
    {"SquareRootOfNegativeZero", [] { return xm::Store(Sqrt(DoubleDouble(-0.0))); },
     [] { return xm::Store(xm::Sqrt(-0.0L)); }},
};

class SignedZeroTest : public testing::TestWithParam<SignedZero> {};

TEST_P(SignedZeroTest, AsTheWideType)
{
    const double zero = GetParam().doubleDouble();
    EXPECT_EQ(zero, 0.0);
    EXPECT_EQ(std::signbit(zero), std::signbit(GetParam().wide()));
}

INSTANTIATE_TEST_SUITE_P(Zeros, SignedZeroTest, testing::ValuesIn(kSignedZeros));

TEST(DoubleDoubleTest, StoreRoundsTheSumToNearest)
{
    // 1 + 2^-53 is halfway: ties to even gives 1; a little more gives the
    // next double up.
    EXPECT_EQ(xm::Store(DoubleDouble(1.0) + DoubleDouble(0x1p-53)), 1.0);
    EXPECT_EQ(xm::Store((DoubleDouble(1.0) + DoubleDouble(0x1p-53)) + DoubleDouble(0x1p-90)), 1.0 + 0x1p-52);
}

} // namespace
