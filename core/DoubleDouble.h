// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

// A fast route for the model's intermediates where long double is computed
// in software (IEEE binary128 under WebAssembly, about thirty times slower
// than double there): a value is the unevaluated sum hi + lo of two doubles,
// |lo| at most half a unit in the last place of hi, which carries 106
// significant bits with double arithmetic alone, more than the x87 format's
// 64. What it lacks is the wide exponent range, and a few results hinge on a
// single rounding of the intermediates; the route therefore vouches only for
// what it can compute as well as the wide type does. Every operation checks
// its result and gives up (throws DoubleDoubleDeclined) when
//   - a result is infinite, NaN, or beyond 2^±500 in magnitude (far inside
//     the double range, where every step below is exact as claimed);
//   - a divisor is zero, a square root's operand negative or a logarithm's
//     not positive (the faults, which the wide type reports in its own order);
//   - a sum cancels all but 40 bits of its larger operand, or is zero, or a
//     logarithm's operand lies within 2^-40 of 1: such a result depends on
//     the last bits of the operands, where the formats differ.
// The caller then computes the whole design again in the wide type. Relies
// on every operation rounding once to double: no contraction into fused
// multiply-adds (the build passes -ffp-contract=off), no x87 excess precision.
namespace eh::xmath {

// Thrown where the route gives up; never leaves the model.
struct DoubleDoubleDeclined {};

[[noreturn]] void DeclineDoubleDouble();

class DoubleDouble {
public:
    constexpr DoubleDouble() = default;
    // Exact for a double and an int; a wider type's value is rounded to
    // 106 bits (a literal of the model is folded when compiling).
    constexpr DoubleDouble(double x)
        : hi_(Checked(x))
    {}
    constexpr DoubleDouble(int x)
        : hi_(x)
    {}
    constexpr DoubleDouble(long double x)
        : hi_(Checked(static_cast<double>(x)))
        , lo_(static_cast<double>(x - static_cast<long double>(static_cast<double>(x))))
    {}

    // hi + lo exactly, for constants written as two doubles (|lo| at most
    // half a unit in the last place of hi).
    static constexpr DoubleDouble FromParts(double hi, double lo) { return {hi, lo}; }

    constexpr double High() const { return hi_; }
    constexpr double Low() const { return lo_; }
    // Rounded to nearest: hi + lo is the exact sum's nearest double.
    constexpr double ToDouble() const { return hi_ + lo_; }

    friend DoubleDouble operator+(const DoubleDouble& a, const DoubleDouble& b);
    friend DoubleDouble operator-(const DoubleDouble& a, const DoubleDouble& b) { return a + -b; }
    friend constexpr DoubleDouble operator-(const DoubleDouble& a) { return {-a.hi_, -a.lo_}; }
    friend DoubleDouble operator*(const DoubleDouble& a, const DoubleDouble& b);
    friend DoubleDouble operator/(const DoubleDouble& a, const DoubleDouble& b);
    DoubleDouble& operator+=(const DoubleDouble& b) { return *this = *this + b; }
    DoubleDouble& operator*=(const DoubleDouble& b) { return *this = *this * b; }

    friend constexpr bool operator==(const DoubleDouble& a, const DoubleDouble& b)
    {
        return a.hi_ == b.hi_ && a.lo_ == b.lo_;
    }
    friend constexpr bool operator<(const DoubleDouble& a, const DoubleDouble& b)
    {
        return a.hi_ < b.hi_ || (a.hi_ == b.hi_ && a.lo_ < b.lo_);
    }
    friend constexpr bool operator<=(const DoubleDouble& a, const DoubleDouble& b) { return !(b < a); }

    friend DoubleDouble Sqrt(const DoubleDouble& x);
    friend constexpr DoubleDouble fabs(const DoubleDouble& x) { return x.hi_ < 0 ? -x : x; }
    // x * 2^e, exact in the route's range.
    friend DoubleDouble ldexp(const DoubleDouble& x, int e)
    {
        return CheckedNormalized(std::ldexp(x.hi_, e), std::ldexp(x.lo_, e));
    }
    // x = m * 2^e with |m| in [1/2, 1).
    friend DoubleDouble frexp(const DoubleDouble& x, int* e)
    {
        const double hi = std::frexp(x.hi_, e);
        return {hi, std::ldexp(x.lo_, -*e)};
    }

    // The limits of the route's range, 2^-500 and 2^500.
    static constexpr double kSmallest = 0x1p-500;
    static constexpr double kLargest = 0x1p500;

private:
    constexpr DoubleDouble(double hi, double lo)
        : hi_(hi)
        , lo_(lo)
    {}
    static constexpr double Checked(double x)
    {
        const double magnitude = x < 0.0 ? -x : x;
        if (!(x == 0.0 || (magnitude >= kSmallest && magnitude <= kLargest)))
            DeclineDoubleDouble();
        return x;
    }
    // hi + lo for |hi| >= |lo| (or hi zero), renormalised; unchecked.
    static DoubleDouble Normalized(double hi, double lo)
    {
        const double s = hi + lo;
        return {s, lo - (s - hi)};
    }
    // The same, its range checked.
    static DoubleDouble CheckedNormalized(double hi, double lo)
    {
        const DoubleDouble x = Normalized(hi, lo);
        Checked(x.hi_);
        return x;
    }
    // The sum and product without the route's checks, for the steps of a
    // quotient, whose remainders cancel by design.
    static DoubleDouble Sum(const DoubleDouble& a, const DoubleDouble& b);
    static DoubleDouble Product(const DoubleDouble& a, const DoubleDouble& b);

    double hi_ = 0.0;
    double lo_ = 0.0;
};

} // namespace eh::xmath
