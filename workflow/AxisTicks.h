// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where a value axis puts its ticks: on 1, 2 or 5 times a power of ten,
// labelled with just the decimals the step needs.
namespace eh {

// More ticks than this on an axis would only crowd its labels.
inline constexpr int kMaxAxisTicks = 12;

struct TAxisTicks {
    double low = 0;  // the axis' range, widened where it was too narrow
    double high = 1;
    double anchor = 0; // a tick at or below `low`, a whole number of steps from every other
    double step = 1;
    int decimals = 0;
};

// Ticks for [low, high], at most `maxTicks` (never more than a dozen) and,
// where the range allows, at least three labelled ones. A range too narrow
// for its magnitude (14.2 to 14.200000000000001) is widened so that the
// ticks stay countable; one that is not a range at all becomes 0 to 1.
TAxisTicks AxisTicks(double low, double high, int maxTicks);

} // namespace eh
