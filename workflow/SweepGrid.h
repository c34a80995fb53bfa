// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

// The values of a sweep of one field: START, START + STEP, ... on the decimal
// grid that START and STEP are written in, so that 1.8 and 0.1 give 1.8,
// 1.9, 2.0 (the doubles nearest to those decimals, as a user would type
// them) and not 1.9000000000000001.
namespace eh {

// The number of decimal places a number text is written with: the digits
// after its decimal mark (a point or `separator`) less its exponent, at least
// 0 ("1.25" 2, "15e-1" 1, "1.5e3" 0). -1 when the exponent is too large to
// count.
int DecimalPlaces(std::string_view text, char separator);

struct TSweepGrid {
    double start = 0;
    double step = 0;
    // The decimal places of START and STEP, whichever has more; -1 when not
    // known (the values are then START + i * STEP as computed).
    int decimals = -1;

    // START + index * STEP, rounded to `decimals` places when that is exact
    // in doubles (fewer than 23 places, fewer than 2^53 units).
    double Value(std::size_t index) const;
};

} // namespace eh
