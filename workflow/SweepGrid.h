// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DecimalText.h"

#include <cstddef>
#include <cstdint>
#include <optional>

// The values of a sweep, counted in integers of the smallest decimal unit of
// the texts that set it up, so that each value is the double nearest to the
// exact grid point: 1.8 and 0.1 give 1.8, 1.9, 2.0 (not 1.9000000000000001),
// and 1.8 to 30 in 500 points ends at 30.
namespace eh {

class TSweepGrid {
public:
    // FIRST, FIRST + STEP, ...; exact when both texts are decimals that fit.
    static TSweepGrid ByStep(double first, std::optional<TDecimalText> firstText, double step,
                             std::optional<TDecimalText> stepText);
    // `intervals` + 1 points from FIRST to LAST, evenly spaced; the last is
    // LAST itself.
    static TSweepGrid ByIntervals(double first, std::optional<TDecimalText> firstText, double last,
                                  std::optional<TDecimalText> lastText, std::size_t intervals);

    double Value(std::size_t index) const;

    // True when the values are counted in integers; otherwise they are
    // FIRST + index * STEP as computed in doubles.
    bool Exact() const { return exact_; }

    // How many steps from FIRST stay at or before `stop` in the step's
    // direction (STOP given as its text's decimal when known): counted in
    // integers on an exact grid, else to within 1e-9 of a step. Empty when
    // more than `limit`.
    std::optional<std::size_t> StepsUpTo(double stop, std::optional<TDecimalText> stopText,
                                         std::size_t limit) const;

private:
    // Exact: value i = (firstUnits + i * stepUnits) / divisor, with every
    // numerator at most 2^53 and the divisor an exact double, so that the
    // one division rounds once.
    bool exact_ = false;
    std::int64_t firstUnits_ = 0;
    std::int64_t stepUnits_ = 0;
    double divisor_ = 1;
    int places_ = -1; // on a grid by step: the divisor is 10^places
    // Inexact: FIRST + i * STEP, and the last point of a grid by intervals.
    double first_ = 0;
    double step_ = 0;
    std::optional<std::size_t> lastIndex_;
    double last_ = 0;
};

} // namespace eh
