// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// One number of a data file as instruments write it: "-0.5", "+5", ".5",
// "5.", "1.0E+09", read the same whatever the locale and on every target
// (the WebAssembly's C++ library has no floating from_chars).
namespace eh {

enum class TNumberWordKind {
    Number,
    NotFinite,  // nan, inf, infinity (any case, any sign), or beyond the double range
    NotANumber, // anything else
};

struct TNumberWord {
    TNumberWordKind kind = TNumberWordKind::NotANumber;
    double value = 0;
};

// The whole word must be the number. Correctly rounded for up to 19
// significant digits and powers of ten up to 22 whenever the digits fit
// 53 bits (what instruments write); otherwise within a unit of the last
// place. A value below the double range reads as zero.
TNumberWord ReadNumberWord(std::string_view word);

} // namespace eh
