// SPDX-License-Identifier: GPL-3.0-or-later
#include "DoubleDouble.h"

// The error-free transformations are Dekker's and Knuth's; the sum, product
// and quotient follow the accurate variants of Hida, Li and Bailey's
// double-double arithmetic (relative error about 2^-104).
namespace eh::xmath {

namespace {

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

} // namespace

void DeclineDoubleDouble() { throw DoubleDoubleDeclined(); }

DoubleDouble DoubleDouble::Sum(const DoubleDouble& a, const DoubleDouble& b)
{
    double s, e, t, f;
    TwoSum(a.hi_, b.hi_, s, e);
    TwoSum(a.lo_, b.lo_, t, f);
    e += t;
    const DoubleDouble sum = Normalized(s, e);
    return Normalized(sum.hi_, sum.lo_ + f);
}

DoubleDouble DoubleDouble::Product(const DoubleDouble& a, const DoubleDouble& b)
{
    double p, e;
    TwoProduct(a.hi_, b.hi_, p, e);
    e += a.hi_ * b.lo_ + a.lo_ * b.hi_;
    return Normalized(p, e);
}

DoubleDouble operator+(const DoubleDouble& a, const DoubleDouble& b)
{
    if (a.hi_ == 0.0)
        return b;
    if (b.hi_ == 0.0)
        return a;
    const DoubleDouble sum = DoubleDouble::Sum(a, b);
    DoubleDouble::Checked(sum.hi_);
    if (!(std::fabs(sum.hi_) >= kCancellationLimit * std::fmax(std::fabs(a.hi_), std::fabs(b.hi_))))
        DeclineDoubleDouble();
    return sum;
}

DoubleDouble operator*(const DoubleDouble& a, const DoubleDouble& b)
{
    const DoubleDouble product = DoubleDouble::Product(a, b);
    DoubleDouble::Checked(product.hi_);
    return product;
}

DoubleDouble operator/(const DoubleDouble& a, const DoubleDouble& b)
{
    if (b.hi_ == 0.0)
        DeclineDoubleDouble();
    // Three quotient digits, each from the remainder the ones before leave.
    const double q1 = a.hi_ / b.hi_;
    DoubleDouble r = DoubleDouble::Sum(a, -DoubleDouble::Product({q1, 0.0}, b));
    const double q2 = r.hi_ / b.hi_;
    r = DoubleDouble::Sum(r, -DoubleDouble::Product({q2, 0.0}, b));
    const double q3 = r.hi_ / b.hi_;
    const DoubleDouble quotient = DoubleDouble::Sum(DoubleDouble::Normalized(q1, q2), {q3, 0.0});
    DoubleDouble::Checked(quotient.hi_);
    return quotient;
}

DoubleDouble Sqrt(const DoubleDouble& x)
{
    if (!(x.hi_ > 0.0)) {
        if (x.hi_ == 0.0)
            return x;
        DeclineDoubleDouble();
    }
    // One Newton step from the double root doubles its 53 bits:
    // sqrt(x) = s + (x - s^2) / (2s), the residual exact but for x's low part.
    const double s = std::sqrt(x.hi_);
    double square, squareError;
    TwoProduct(s, s, square, squareError);
    const double residual = ((x.hi_ - square) - squareError) + x.lo_;
    return DoubleDouble::CheckedNormalized(s, residual / (2.0 * s));
}

} // namespace eh::xmath
