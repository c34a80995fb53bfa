// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExtendedMath.h"

// The natural and decimal logarithms, the exponential and powers in the
// full precision and range of Extended. Some C libraries compute the long
// double ones only in double precision and range (emscripten's, where long
// double is IEEE binary128); the build checks the C library when it is
// configured and uses these functions' own implementations where it fails.
// No fault checks here: NaN and infinities follow IEEE rules, and the
// checked operations of ExtendedMath.h test their operands first.
namespace eh::elementary {

using xmath::DoubleDouble;
using xmath::Extended;

// True where the C library's long double functions are used.
extern const bool kUsesCLibrary;

Extended Log(Extended x);
Extended Exp(Extended x);
Extended Log10(Extended x);
Extended Pow(Extended base, Extended exponent);

// This program's own implementations, built on every target so that they
// are tested everywhere. Errors stay within a few units in the last place of
// Extended.
namespace own {
Extended Log(Extended x);
Extended Exp(Extended x);
Extended Log10(Extended x);
// For a finite x > 0, in double-double arithmetic (which declines where its
// checks fail).
DoubleDouble Log10(DoubleDouble x);
// Integral exponents (|n| < 2^32) by repeated squaring, exact while the
// partial products are (10^27 in every wide format); others by
// exp(exponent * log(base)), a positive base only.
Extended Pow(Extended base, Extended exponent);
} // namespace own

} // namespace eh::elementary
