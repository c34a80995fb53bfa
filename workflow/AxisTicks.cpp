// SPDX-License-Identifier: GPL-3.0-or-later
#include "AxisTicks.h"

#include <algorithm>
#include <cmath>

namespace eh {

namespace {

// 1, 2 or 5 times a power of ten, the nearest at or above `rough`.
double NiceStep(double rough)
{
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough)
            return factor * power;
    return 10 * power;
}

// The nice step below `step`: 0.5 below 1, 1 below 2, 2 below 5.
double SmallerNiceStep(double step)
{
    const double power = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const double factor = std::round(step / power);
    return factor >= 5 ? 2 * power : factor >= 2 ? power : power / 2;
}

// The ticks that fall within [low, high].
double TicksWithin(double low, double high, double step)
{
    return std::floor(high / step) - std::ceil(low / step) + 1;
}

} // namespace

TAxisTicks AxisTicks(double low, double high, int maxTicks)
{
    if (!std::isfinite(low) || !std::isfinite(high) || !(low <= high)) {
        low = 0;
        high = 1;
    }
    // Ticks a step apart must differ as doubles, with room to spare.
    const double magnitude = std::max(std::abs(low), std::abs(high));
    // A flat zero (an efficiency with no bandwidth measured) gets -1 to 1,
    // not a range around zero as narrow as a double allows.
    const double narrowest = magnitude > 0 ? std::max(magnitude * 1e-9, 1e-300) : 1;
    if (high - low < narrowest) {
        const double centre = low / 2 + high / 2;
        low = centre - narrowest;
        high = centre + narrowest;
    }
    const double ticks = std::clamp(static_cast<double>(maxTicks), 1.0, static_cast<double>(kMaxAxisTicks));
    double step = NiceStep((high - low) / std::min(6.0, ticks));
    // Labels closer than their own height would be cut to "…".
    while (std::isfinite(step) && (high - low) / step > ticks)
        step = NiceStep(step * 1.01);
    if (!std::isfinite(step) || !(step > 0))
        step = high - low;
    // One or two labels tell no scale: a finer step, while it fits.
    for (int finer = 0; finer < 3 && TicksWithin(low, high, step) < 3; ++finer) {
        const double smaller = SmallerNiceStep(step);
        if (!(smaller > 0) || TicksWithin(low, high, smaller) - 1 > std::max(ticks, 3.0))
            break;
        step = smaller;
    }
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 15);
    return {low, high, std::floor(low / step) * step, step, decimals};
}

} // namespace eh
