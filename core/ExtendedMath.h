// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Exceptions.h"

// Checked arithmetic on 80-bit extended values. The calculation never relies on
// floating-point traps: each operation that can fault tests its operands (or
// its result) and throws the fault the x87 unit would have signalled.
namespace eh::xmath {

using Extended = long double;

static_assert(sizeof(Extended) >= 10 && __LDBL_MANT_DIG__ == 64,
              "the model needs the x87 80-bit extended format as long double");

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

} // namespace eh::xmath
