// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExtendedElementary.h"

#include <cmath>
#include <limits>

namespace eh::elementary {

namespace {

// A unit in the last place of 1: 2^-106 for double-double.
template <class T>
constexpr T kEpsilon = std::numeric_limits<T>::epsilon();
template <>
constexpr DoubleDouble kEpsilon<DoubleDouble> = DoubleDouble(0x1p-106);
constexpr Extended kInfinity = std::numeric_limits<Extended>::infinity();
constexpr Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();

// ln 2 in two parts: the first has 40 significant bits, so that k times it
// is exact for every binary exponent k (at most 15 bits) in a significand of
// 55 bits or more; the second carries the rest. The same for log10(2).
constexpr Extended kLn2High = 0xb17217f7d2p-40L;
constexpr Extended kLn2Low = -1.72394445256148347731635049499865639744745879320e-13L;
constexpr Extended kLog10Of2High = 0x4d104d427ep-40L;
constexpr Extended kLog10Of2Low = -8.5323443170571065301895106810118537891458689573e-14L;
constexpr Extended kInverseLn2 = 1.44269504088896340735992468100189213742664595415298593413544L;
constexpr Extended kLog10OfE = 0.434294481903251827651128918916605082294397005803666566114453L;
constexpr Extended kSqrtHalf = 0.707106781186547524400844362104849039284835937688474036588340L;

// The constants of the decimal logarithm in each type: double-double needs
// 106 bits, more than a long double literal holds on x86-64.
template <class T>
constexpr T kLog10Of2LowIn = kLog10Of2Low;
template <>
constexpr DoubleDouble kLog10Of2LowIn<DoubleDouble> = DoubleDouble::FromParts(-0x1.80433b83b532ap-44, 0x1.6f922f04d5a62p-102);
template <class T>
constexpr T kLog10OfEIn = kLog10OfE;
template <>
constexpr DoubleDouble kLog10OfEIn<DoubleDouble> = DoubleDouble::FromParts(0x1.bcb7b1526e50ep-2, 0x1.95355baaafad3p-57);

// Beyond these |x| exp(x) is infinite or zero in every floating type; the
// bound keeps the binary exponent within an int.
constexpr Extended kExpArgumentBound = 20000.0L;

// ln(m) = 2 atanh(s) with s = (m - 1) / (m + 1), for m in [sqrt(1/2), sqrt(2)):
// |s| < 0.172, and the series 2 (s + s^3/3 + s^5/5 + ...) gains more than
// five bits a term. T is Extended or DoubleDouble.
template <class T>
T LogOfReduced(T m)
{
    using std::fabs;
    const T s = (m - T(1.0L)) / (m + T(1.0L));
    const T z = s * s;
    T power = s;
    T sum = T(0.0L);
    for (int odd = 3;; odd += 2) {
        power *= z;
        const T term = power / T(odd);
        if (fabs(term) <= kEpsilon<T> * T(0.25L) * fabs(s))
            break;
        sum += term;
    }
    return T(2.0L) * (s + sum);
}

// x = m * 2^k with m in [sqrt(1/2), sqrt(2)), for a finite x > 0.
template <class T>
T Reduce(T x, int& k)
{
    using std::frexp;
    T m = frexp(x, &k);
    if (m < T(kSqrtHalf)) {
        m *= T(2.0L);
        --k;
    }
    return m;
}

// log10(x) for a finite x > 0.
template <class T>
T Log10OfPositive(T x)
{
    int k = 0;
    const T m = Reduce(x, k);
    return T(k) * T(kLog10Of2High) + (T(k) * kLog10Of2LowIn<T> + LogOfReduced(m) * kLog10OfEIn<T>);
}

// exp(r) - 1 for |r| <= 0.35: the Taylor series of r / 16, whose terms fall
// fast, then four doublings through exp(2t) - 1 = (exp(t) - 1)(exp(t) + 1),
// which keep the relative precision of a small result.
Extended ExpM1OfReduced(Extended r)
{
    constexpr int kHalvings = 4;
    const Extended t = std::ldexp(r, -kHalvings);
    Extended term = t;
    Extended sum = t;
    for (int n = 2;; ++n) {
        term *= t / n;
        if (std::fabs(term) <= kEpsilon<Extended> * 0.25L * std::fabs(sum))
            break;
        sum += term;
    }
    for (int i = 0; i < kHalvings; ++i)
        sum *= 2.0L + sum;
    return sum;
}

bool IsSpecial(Extended x) { return std::isnan(x) || std::isinf(x) || x <= 0.0L; }

Extended LogOfSpecial(Extended x)
{
    if (std::isnan(x) || x < 0.0L)
        return kNaN;
    return x == 0.0L ? -kInfinity : kInfinity;
}

} // namespace

namespace own {

Extended Log(Extended x)
{
    if (IsSpecial(x))
        return LogOfSpecial(x);
    int k = 0;
    const Extended m = Reduce(x, k);
    return k * kLn2High + (k * kLn2Low + LogOfReduced(m));
}

Extended Log10(Extended x)
{
    if (IsSpecial(x))
        return LogOfSpecial(x);
    return Log10OfPositive(x);
}

DoubleDouble Log10(DoubleDouble x) { return Log10OfPositive(x); }

Extended Exp(Extended x)
{
    if (std::isnan(x))
        return x;
    if (x > kExpArgumentBound)
        return kInfinity;
    if (x < -kExpArgumentBound)
        return 0.0L;
    // x = k ln 2 + r with |r| <= ln(2) / 2 (and a little): k ln2High is exact
    // and so is its difference from x, which lies within a factor two of it.
    const int k = static_cast<int>(std::nearbyint(x * kInverseLn2));
    const Extended r = (x - k * kLn2High) - k * kLn2Low;
    return std::ldexp(1.0L + ExpM1OfReduced(r), k);
}

Extended Pow(Extended base, Extended exponent)
{
    if (std::isnan(base) || std::isnan(exponent))
        return kNaN;
    if (exponent == std::trunc(exponent) && std::fabs(exponent) < 0x1p32L) {
        auto n = static_cast<unsigned long long>(std::fabs(exponent));
        Extended result = 1.0L;
        for (Extended square = base; n != 0; n >>= 1) {
            if (n & 1)
                result *= square;
            if (n > 1)
                square *= square;
        }
        return exponent < 0.0L ? 1.0L / result : result;
    }
    if (base < 0.0L)
        return kNaN;
    if (base == 0.0L)
        return exponent > 0.0L ? 0.0L : kInfinity;
    return Exp(exponent * Log(base));
}

} // namespace own

#ifdef EH_OWN_ELEMENTARY_FUNCTIONS
constexpr bool kOwnFunctions = true;
#else
constexpr bool kOwnFunctions = false;
#endif
const bool kUsesCLibrary = !kOwnFunctions;

Extended Log(Extended x) { return kOwnFunctions ? own::Log(x) : std::log(x); }
Extended Exp(Extended x) { return kOwnFunctions ? own::Exp(x) : std::exp(x); }
Extended Log10(Extended x) { return kOwnFunctions ? own::Log10(x) : std::log10(x); }
Extended Pow(Extended base, Extended exponent)
{
    return kOwnFunctions ? own::Pow(base, exponent) : std::pow(base, exponent);
}

} // namespace eh::elementary
