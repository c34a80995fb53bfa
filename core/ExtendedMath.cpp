// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExtendedMath.h"

#include "ExtendedElementary.h"

#include <cmath>
#include <limits>

namespace eh::xmath {

Extended Div(Extended dividend, Extended divisor)
{
    if (std::isnan(dividend) || std::isnan(divisor))
        throw EInvalidOp(kInvalidOpMessage);
    if (divisor == 0.0L) {
        if (dividend == 0.0L)
            throw EInvalidOp(kInvalidOpMessage);
        throw EZeroDivide(kZeroDivideMessage);
    }
    if (std::isinf(dividend) && std::isinf(divisor))
        throw EInvalidOp(kInvalidOpMessage);
    return dividend / divisor;
}

Extended Sqrt(Extended x)
{
    if (std::isnan(x) || x < 0.0L)
        throw EInvalidOp(kInvalidOpMessage);
    if (x == 0.0L)
        return 0.0L;
    return elementary::Exp(0.5L * elementary::Log(x));
}

Extended Log10(Extended x)
{
    if (std::isnan(x) || x < 0.0L)
        throw EInvalidOp(kInvalidOpMessage);
    if (x == 0.0L)
        throw EZeroDivide(kZeroDivideMessage);
    if (x == 1.0L)
        return 0.0L;
    return elementary::Log10(x);
}

DoubleDouble Log10(const DoubleDouble& x)
{
    if (!(x.High() > 0.0) || std::fabs(x.High() - 1.0) < 0x1p-40)
        DeclineDoubleDouble();
    return elementary::own::Log10(x);
}

double Store(Extended x)
{
    if (std::isnan(x))
        throw EInvalidOp(kInvalidOpMessage);
    // The largest finite double plus half its last unit, 2^1024 - 2^970, lies
    // halfway to 2^1024; rounding to nearest-even sends it and everything
    // above to infinity. Any significand of 55 bits or more holds it exactly;
    // a type with only the double's range rounds it to infinity itself, and
    // there just an intermediate that left the range (infinite) overflows.
    static const Extended kOverflowThreshold = Extended(std::numeric_limits<double>::max()) + 0x1p970L;
    if (std::fabs(x) >= kOverflowThreshold)
        throw EOverflow(kOverflowMessage);
    return static_cast<double>(x);
}

} // namespace eh::xmath
