// SPDX-License-Identifier: GPL-3.0-or-later
// Run when the build is configured: exits with 0 when the C library's
// logl, expl, log10l and powl are exact to a few units in the last place of
// long double over its whole range, as glibc's are for the x87 format and
// for IEEE binary128. emscripten's compute binary128 in double precision
// and range: there the program uses its own.
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

bool Near(long double computed, long double expected)
{
    const long double tolerance = 8 * std::numeric_limits<long double>::epsilon() * std::fabs(expected);
    return std::fabs(computed - expected) <= tolerance;
}

} // namespace

int main()
{
    // volatile: the compiler must not fold the calls with its own library.
    volatile long double ten = 10.0L;
    volatile long double one = 1.0L;
    volatile long double huge = 11000.0L;
    volatile long double tiny = 1e-4000L;
    const bool exact =
        Near(std::log(ten), 2.30258509299404568401799145468436420760110148862877297603333L) &&
        Near(std::exp(one), 2.71828182845904523536028747135266249775724709369995957496697L) &&
        Near(std::log10(ten * 0.5L), 0.698970004336018804786261105275506973231810118537891458689573L) &&
        Near(std::exp(huge), 1.73500581927773850963842507734964184695357396767239383385586e4777L) &&
        Near(std::log(tiny), -9210.34037197618273607196581873745683040440595451509190413331L) &&
        std::pow(ten, 27.0L) == 1e27L && Near(std::pow(ten, 400.0L), 1e400L);
    std::puts(exact ? "exact" : "not exact");
    return exact ? 0 : 1;
}
