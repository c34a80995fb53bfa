// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepGrid.h"

#include "NumberConversion.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace eh {

namespace {

// Integers up to 2^53 are doubles exactly, so a value made of two of them
// is rounded once, by the division.
constexpr std::int64_t kMaxExactUnits = std::int64_t{1} << 53;

// Decimal places beyond which 10^places is no longer an exact double.
constexpr int kMaxExactPlaces = 22;

bool Fits(std::int64_t units) { return units >= -kMaxExactUnits && units <= kMaxExactUnits; }

// 10^n as an integer, for 0 <= n <= 18.
std::optional<std::int64_t> IntegerPowerOfTen(int n)
{
    if (n < 0 || n > 18)
        return std::nullopt;
    return static_cast<std::int64_t>(PowerOfTen(n));
}

// `text` in units of 10^-places, when that is an integer that fits.
std::optional<std::int64_t> UnitsOf(const TDecimalText& text, int places)
{
    const auto scale = IntegerPowerOfTen(places - text.places);
    std::int64_t units = 0;
    if (!scale || __builtin_mul_overflow(text.digits, *scale, &units) || !Fits(units))
        return std::nullopt;
    return units;
}

} // namespace

TSweepGrid TSweepGrid::ByStep(double first, std::optional<TDecimalText> firstText, double step,
                              std::optional<TDecimalText> stepText)
{
    TSweepGrid grid;
    grid.first_ = first;
    grid.step_ = step;
    if (!firstText || !stepText)
        return grid;
    const int places = std::max({firstText->places, stepText->places, 0});
    if (places > kMaxExactPlaces)
        return grid;
    const auto firstUnits = UnitsOf(*firstText, places);
    const auto stepUnits = UnitsOf(*stepText, places);
    if (!firstUnits || !stepUnits)
        return grid;
    grid.exact_ = true;
    grid.firstUnits_ = *firstUnits;
    grid.stepUnits_ = *stepUnits;
    grid.places_ = places;
    grid.divisor_ = static_cast<double>(PowerOfTen(places));
    return grid;
}

TSweepGrid TSweepGrid::ByIntervals(double first, std::optional<TDecimalText> firstText, double last,
                                   std::optional<TDecimalText> lastText, std::size_t intervals)
{
    TSweepGrid grid;
    grid.first_ = first;
    grid.step_ = intervals == 0 ? 0.0 : (last - first) / static_cast<double>(intervals);
    grid.lastIndex_ = intervals;
    grid.last_ = last;
    if (!firstText || !lastText || intervals == 0 || static_cast<std::uint64_t>(intervals) > static_cast<std::uint64_t>(kMaxExactUnits))
        return grid;
    // value i = (F * n + i * (L - F)) / (n * 10^places), in lowest terms.
    const int places = std::max({firstText->places, lastText->places, 0});
    const auto firstUnits = UnitsOf(*firstText, places);
    const auto lastUnits = UnitsOf(*lastText, places);
    const auto scale = IntegerPowerOfTen(places);
    const auto n = static_cast<std::int64_t>(intervals);
    std::int64_t origin = 0;
    std::int64_t divisor = 0;
    if (!firstUnits || !lastUnits || !scale || __builtin_mul_overflow(*firstUnits, n, &origin) ||
        __builtin_mul_overflow(n, *scale, &divisor))
        return grid;
    std::int64_t step = *lastUnits - *firstUnits; // both at most 2^53: no overflow
    const std::int64_t common = std::gcd(std::gcd(origin, step), divisor);
    origin /= common;
    step /= common;
    divisor /= common;
    std::int64_t end = 0;
    if (!Fits(origin) || divisor > kMaxExactUnits || __builtin_mul_overflow(step, n, &end) ||
        __builtin_add_overflow(end, origin, &end) || !Fits(end))
        return grid;
    grid.exact_ = true;
    grid.firstUnits_ = origin;
    grid.stepUnits_ = step;
    grid.divisor_ = static_cast<double>(divisor);
    return grid;
}

double TSweepGrid::Value(std::size_t index) const
{
    if (exact_) {
        std::int64_t units = 0;
        // Compared in 64 bits: a 32-bit size_t (WebAssembly) cannot hold the bound.
        if (static_cast<std::uint64_t>(index) <= static_cast<std::uint64_t>(kMaxExactUnits) &&
            !__builtin_mul_overflow(static_cast<std::int64_t>(index), stepUnits_, &units) &&
            !__builtin_add_overflow(units, firstUnits_, &units) && Fits(units))
            return static_cast<double>(units) / divisor_;
    }
    if (lastIndex_ && index == *lastIndex_)
        return last_;
    return first_ + static_cast<double>(index) * step_;
}

std::optional<std::size_t> TSweepGrid::StepsUpTo(double stop, std::optional<TDecimalText> stopText,
                                                 std::size_t limit) const
{
    if (exact_ && places_ >= 0 && stopText && stepUnits_ != 0) {
        // Counted at the finer of the grid's and STOP's places.
        const int places = std::max(places_, stopText->places);
        const auto rescale = IntegerPowerOfTen(places - places_);
        const auto stopUnits = UnitsOf(*stopText, places);
        std::int64_t firstUnits = 0;
        std::int64_t stepUnits = 0;
        if (rescale && stopUnits && !__builtin_mul_overflow(firstUnits_, *rescale, &firstUnits) &&
            !__builtin_mul_overflow(stepUnits_, *rescale, &stepUnits)) {
            std::int64_t span = 0;
            if (__builtin_sub_overflow(*stopUnits, firstUnits, &span))
                return std::nullopt; // farther than any limit
            const std::int64_t steps = span / stepUnits;
            if (steps < 0)
                return 0;
            if (static_cast<std::uint64_t>(steps) > limit)
                return std::nullopt;
            return static_cast<std::size_t>(steps);
        }
    }
    const double steps = (stop - first_) / step_;
    if (!(steps < static_cast<double>(limit) + 1))
        return std::nullopt;
    if (!(steps > 0))
        return 0;
    const auto counted = static_cast<std::size_t>(std::floor(steps + 1e-9));
    if (counted > limit)
        return std::nullopt;
    return counted;
}

} // namespace eh
