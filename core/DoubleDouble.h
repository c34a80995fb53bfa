// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

// A fast route for the model's intermediates where long double is computed
// in software (IEEE binary128 under WebAssembly, many times slower than
// double there): a value is the unevaluated sum hi + lo of two doubles,
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
    // Rounded to nearest: hi + lo is the exact sum's nearest double (and a
    // zero keeps its sign).
    constexpr double ToDouble() const { return lo_ == 0.0 ? hi_ : hi_ + lo_; }

    friend inline DoubleDouble operator+(const DoubleDouble& a, const DoubleDouble& b);
    friend DoubleDouble operator-(const DoubleDouble& a, const DoubleDouble& b) { return a + -b; }
    friend constexpr DoubleDouble operator-(const DoubleDouble& a) { return {-a.hi_, -a.lo_}; }
    friend inline DoubleDouble operator*(const DoubleDouble& a, const DoubleDouble& b);
    friend inline DoubleDouble operator/(const DoubleDouble& a, const DoubleDouble& b);
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

    friend inline DoubleDouble Sqrt(const DoubleDouble& x);
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
    // hi + lo for |hi| >= |lo| (or hi zero), renormalised; unchecked. A zero
    // keeps hi's sign, which IEEE arithmetic gave it.
    static DoubleDouble Normalized(double hi, double lo)
    {
        const double s = hi + lo;
        if (s == 0.0)
            return {hi, 0.0};
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

// The error-free transformations are Dekker's and Knuth's; the sum, product
// and quotient follow the accurate variants of Hida, Li and Bailey's
// double-double arithmetic (relative error about 2^-104). Inline: each is a
// few double operations, and a call costs as much.
namespace detail {

// a + b = s + e exactly, for any a and b.
inline void TwoSum(double a, double b, double& s, double& e)
{
    s = a + b;
    const double bb = s - a;
    e = (a - (s - bb)) + (b - bb);
}

// a * b = p + e exactly, splitting each factor into two halves of 26 bits
// (the factors stay far from overflow in the route's range).
inline void TwoProduct(double a, double b, double& p, double& e)
{
    constexpr double kSplitter = 0x1p27 + 1.0;
    p = a * b;
    const double ta = kSplitter * a;
    const double aHigh = ta - (ta - a);
    const double aLow = a - aHigh;
    const double tb = kSplitter * b;
    const double bHigh = tb - (tb - b);
    const double bLow = b - bHigh;
    e = ((aHigh * bHigh - p) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
}

// A sum cancels too much when it keeps fewer than 40 of its larger operand's
// bits (or none).
constexpr double kCancellationLimit = 0x1p-40;

} // namespace detail

inline DoubleDouble DoubleDouble::Sum(const DoubleDouble& a, const DoubleDouble& b)
{
    double s, e, t, f;
    detail::TwoSum(a.hi_, b.hi_, s, e);
    detail::TwoSum(a.lo_, b.lo_, t, f);
    e += t;
    const DoubleDouble sum = Normalized(s, e);
    return Normalized(sum.hi_, sum.lo_ + f);
}

inline DoubleDouble DoubleDouble::Product(const DoubleDouble& a, const DoubleDouble& b)
{
    double p, e;
    detail::TwoProduct(a.hi_, b.hi_, p, e);
    e += a.hi_ * b.lo_ + a.lo_ * b.hi_;
    return Normalized(p, e);
}

inline DoubleDouble operator+(const DoubleDouble& a, const DoubleDouble& b)
{
    if (a.hi_ == 0.0 || b.hi_ == 0.0)
        return a.hi_ == 0.0 && b.hi_ == 0.0 ? DoubleDouble(a.hi_ + b.hi_, 0.0) : a.hi_ == 0.0 ? b : a;
    const DoubleDouble sum = DoubleDouble::Sum(a, b);
    DoubleDouble::Checked(sum.hi_);
    if (!(std::fabs(sum.hi_) >= detail::kCancellationLimit * std::fmax(std::fabs(a.hi_), std::fabs(b.hi_))))
        DeclineDoubleDouble();
    return sum;
}

inline DoubleDouble operator*(const DoubleDouble& a, const DoubleDouble& b)
{
    const DoubleDouble product = DoubleDouble::Product(a, b);
    DoubleDouble::Checked(product.hi_);
    return product;
}

inline DoubleDouble operator/(const DoubleDouble& a, const DoubleDouble& b)
{
    if (b.hi_ == 0.0)
        DeclineDoubleDouble();
    const double q1 = a.hi_ / b.hi_;
    if (a.hi_ == 0.0)
        return {q1, 0.0};
    if (b.lo_ == 0.0) {
        // A double divisor (an integer of a series, most of the model's
        // constants): the remainder a - q1 b is exact but for a's low part,
        // and one more digit completes the quotient.
        double p, e;
        detail::TwoProduct(q1, b.hi_, p, e);
        const double remainder = ((a.hi_ - p) - e) + a.lo_;
        return DoubleDouble::CheckedNormalized(q1, remainder / b.hi_);
    }
    // Three quotient digits, each from the remainder the ones before leave.
    DoubleDouble r = DoubleDouble::Sum(a, -DoubleDouble::Product({q1, 0.0}, b));
    const double q2 = r.hi_ / b.hi_;
    r = DoubleDouble::Sum(r, -DoubleDouble::Product({q2, 0.0}, b));
    const double q3 = r.hi_ / b.hi_;
    const DoubleDouble quotient = DoubleDouble::Sum(DoubleDouble::Normalized(q1, q2), {q3, 0.0});
    DoubleDouble::Checked(quotient.hi_);
    return quotient;
}

inline DoubleDouble Sqrt(const DoubleDouble& x)
{
    if (!(x.hi_ > 0.0)) {
        if (x.hi_ == 0.0)
            return DoubleDouble(); // +0 for either zero, as the wide type's Sqrt
        DeclineDoubleDouble();
    }
    // One Newton step from the double root doubles its 53 bits:
    // sqrt(x) = s + (x - s^2) / (2s), the residual exact but for x's low part.
    const double s = std::sqrt(x.hi_);
    double square, squareError;
    detail::TwoProduct(s, s, square, squareError);
    const double residual = ((x.hi_ - square) - squareError) + x.lo_;
    return DoubleDouble::CheckedNormalized(s, residual / (2.0 * s));
}

} // namespace eh::xmath
