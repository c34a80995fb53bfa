// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseName.h"
#include "ExtendedElementary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

using eh::test::PrintTo;
using eh::xmath::Extended;
namespace el = eh::elementary;

constexpr Extended kEpsilon = std::numeric_limits<Extended>::epsilon();
constexpr Extended kInfinity = std::numeric_limits<Extended>::infinity();

using Function = Extended (*)(Extended);

// How many units in the last place of Extended `computed` is off.
double UnitsOff(Extended computed, Extended expected)
{
    if (computed == expected)
        return 0;
    return static_cast<double>(std::fabs(computed - expected) / (kEpsilon * std::fabs(expected)));
}

// Values to 60 digits, beyond every format's precision, across the whole
// range of the x87 and binary128 formats.
struct KnownValue {
    const char* name;
    Function function;
    Function ownFunction;
    Extended argument;
    Extended expected;
};

const KnownValue kKnownValues[] = {
    {"LogOf10", el::Log, el::own::Log, 10.0L, 2.30258509299404568401799145468436420760110148862877297603333L},
    {"LogOf1Point5", el::Log, el::own::Log, 1.5L, 0.405465108108164381978013115464349136571990423462494197614014L},
    {"LogNearOne", el::Log, el::own::Log, 1.0L - 0x1p-10L, -0.000977039647826612785968075151753465835865001361793942496819980L},
    {"LogOfTiny", el::Log, el::own::Log, 1e-4000L, -9210.34037197618273607196581873745683040440595451509190413331L},
    {"ExpOf1", el::Exp, el::own::Exp, 1.0L, 2.71828182845904523536028747135266249775724709369995957496697L},
    {"ExpOfMinus1", el::Exp, el::own::Exp, -1.0L, 0.367879441171442321595523770161460867445811131031767834507837L},
    {"ExpOf100", el::Exp, el::own::Exp, 100.0L, 2.68811714181613544841262555158001358736111187737419224151916e43L},
    {"ExpOf11000", el::Exp, el::own::Exp, 11000.0L, 1.73500581927773850963842507734964184695357396767239383385586e4777L},
    {"ExpOfMinus11000", el::Exp, el::own::Exp, -11000.0L, 5.76366942916818369627282296096127015174830078854752068319149e-4778L},
    {"Log10Of7", el::Log10, el::own::Log10, 7.0L, 0.845098040014256830712216258592636193483572396323965406503635L},
    {"Log10OfHalf", el::Log10, el::own::Log10, 0.5L, -0.301029995663981195213738894724493026768189881462108541310427L},
    {"Log10OfAThousand", el::Log10, el::own::Log10, 1000.0L, 3.0L},
    {"Log10OfTiny", el::Log10, el::own::Log10, 1e-4000L, -4000.0L},
};

class KnownValueTest : public testing::TestWithParam<KnownValue> {};

// A few units in the last place of Extended: far below anything a double
// can show, and far above the double precision of a library that computes
// only that.
TEST_P(KnownValueTest, WithinAFewUnitsInTheLastPlace)
{
    const KnownValue& c = GetParam();
    EXPECT_LE(UnitsOff(c.function(c.argument), c.expected), 8) << "the function in use";
    EXPECT_LE(UnitsOff(c.ownFunction(c.argument), c.expected), 8) << "the program's own";
}

INSTANTIATE_TEST_SUITE_P(Values, KnownValueTest, testing::ValuesIn(kKnownValues));

TEST(ElementaryTest, EdgesOfTheRange)
{
    using Power = Extended (*)(Extended, Extended);
    struct Functions {
        Function log;
        Function exp;
        Power pow;
    };
    for (const auto& [log, exp, pow] : {Functions{el::Log, el::Exp, el::Pow},
                                        Functions{el::own::Log, el::own::Exp, el::own::Pow}}) {
        EXPECT_EQ(log(0.0L), -kInfinity);
        EXPECT_TRUE(std::isnan(log(-1.0L)));
        EXPECT_EQ(log(1.0L), 0.0L);
        EXPECT_EQ(exp(0.0L), 1.0L);
        EXPECT_EQ(exp(12000.0L), kInfinity);
        EXPECT_EQ(exp(-12000.0L), 0.0L);
        // Powers of ten: exact while the format holds them, then the range.
        EXPECT_EQ(pow(10.0L, 27.0L), 1e27L);
        EXPECT_LE(UnitsOff(pow(10.0L, -3.0L), 1e-3L), 1);
        EXPECT_LE(UnitsOff(pow(10.0L, 400.0L), 1e400L), 64);
        EXPECT_LE(UnitsOff(pow(10.0L, 4900.0L), 1e4900L), 64);
        EXPECT_EQ(pow(10.0L, 5000.0L), kInfinity);
        EXPECT_LE(UnitsOff(pow(2.0L, 0.5L), 1.41421356237309504880168872420969807856967187537694807317668L), 8);
    }
}

// Where the C library's functions are in use they are exact; the program's
// own must agree with them to a few units in the last place everywhere.
TEST(ElementaryTest, OwnAgreeWithAnExactCLibrary)
{
    if (!el::kUsesCLibrary)
        GTEST_SKIP() << "the C library's long double functions are not exact here";
    std::mt19937_64 random(16);
    std::uniform_real_distribution<double> exponent(-4900.0, 4900.0);
    std::uniform_real_distribution<double> argument(-11000.0, 11000.0);
    for (int i = 0; i < 2000; ++i) {
        const Extended x = std::pow(10.0L, static_cast<Extended>(exponent(random)));
        EXPECT_LE(UnitsOff(el::own::Log(x), std::log(x)), 4) << "log of 10^" << std::log10(x);
        EXPECT_LE(UnitsOff(el::own::Log10(x), std::log10(x)), 4) << "log10 of 10^" << std::log10(x);
        const Extended y = argument(random);
        EXPECT_LE(UnitsOff(el::own::Exp(y), std::exp(y)), 16) << "exp of " << y;
    }
}

} // namespace
