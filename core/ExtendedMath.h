// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DoubleDouble.h"
#include "Exceptions.h"

#include <limits>

// Checked arithmetic on extended values. The calculation never relies on
// floating-point traps: each operation that can fault tests its operands (or
// its result) and throws the fault the x87 unit would have signalled.
namespace eh::xmath {

// The type that carries a formula's intermediates, and everything that
// depends on which format it is. On x86-64 long double is the x87 80-bit
// extended format (64-bit significand) the model is defined in, and results
// agree bit for bit with it. Other targets have no such format; there the
// widest floating type serves: IEEE binary128 on arm64 (113-bit significand,
// the same exponent range), plain double on some others. A wider significand
// moves a result only where a value hinges on a single rounding, such as a
// diameter ratio within rounding of 1. In a type with only the double's
// range an intermediate beyond it becomes infinite: the store reports that
// as the overflow, unless a later operation turned it into another fault or
// into a finite value first. Under WebAssembly, where long double is
// binary128 in software, the model tries the double-double route first
// (DoubleDouble.h) and falls back to this type wherever that route declines.
using Extended = long double;

static_assert(std::numeric_limits<Extended>::is_iec559 &&
                  std::numeric_limits<Extended>::digits >= std::numeric_limits<double>::digits,
              "the model needs an IEEE floating type at least as wide as double");

// Quotient; a zero divisor is a division-by-zero fault, or an invalid
// operation when the dividend is zero too.
Extended Div(Extended dividend, Extended divisor);

// x * x, one rounding.
inline Extended Sqr(Extended x) { return x * x; }

// x * (x * x): the square is rounded first.
inline Extended Cube(Extended x) { return x * (x * x); }

// 0 for a zero of either sign, exp(0.5 * ln x) for x > 0, invalid operation
// for x < 0.
Extended Sqrt(Extended x);

// Decimal logarithm: division-by-zero fault for 0, invalid operation below 0.
Extended Log10(Extended x);

// Reduces an extended value to the double it is stored as (rounded to
// nearest). A magnitude that rounds beyond the largest finite double is the
// overflow fault; a value too small becomes a subnormal or zero silently.
double Store(Extended x);

// The same operations on the double-double route (DoubleDouble.h): instead of
// a fault they decline, and so does a logarithm of an operand within 2^-40
// of 1. The square root is a Newton step from the double root rather than
// exp(0.5 ln x): both lie well within the route's precision of the exact
// root, far closer than a stored double can show.
inline DoubleDouble Div(const DoubleDouble& dividend, const DoubleDouble& divisor) { return dividend / divisor; }
inline DoubleDouble Sqr(const DoubleDouble& x) { return x * x; }
inline DoubleDouble Cube(const DoubleDouble& x) { return x * (x * x); }
DoubleDouble Log10(const DoubleDouble& x);
inline double Store(const DoubleDouble& x) { return x.ToDouble(); }

} // namespace eh::xmath
