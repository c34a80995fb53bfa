// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepGrid.h"

#include <charconv>
#include <cmath>

namespace eh {

namespace {

// Powers of ten up to 1e22, all exact in a double.
constexpr int kMaxExactPower = 22;

double PowerOfTen(int exponent)
{
    double power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

int DecimalPlaces(std::string_view text, char separator)
{
    const char marks[] = {'.', separator};
    const std::size_t mark = text.find_first_of(std::string_view(marks, sizeof marks));
    int fraction = 0;
    if (mark != std::string_view::npos) {
        for (std::size_t i = mark + 1; i < text.size() && IsDigit(text[i]); ++i)
            ++fraction;
    }
    int exponent = 0;
    const std::size_t e = text.find_first_of("eE");
    if (e != std::string_view::npos) {
        std::size_t digits = e + 1;
        if (digits < text.size() && text[digits] == '+')
            ++digits;
        const char* end = text.data() + text.size();
        const auto [rest, error] = std::from_chars(text.data() + digits, end, exponent);
        if (error == std::errc::result_out_of_range)
            return -1;
        if (error != std::errc())
            exponent = 0;
    }
    const long long places = static_cast<long long>(fraction) - exponent;
    return places < 0 ? 0 : places > 1000 ? -1 : static_cast<int>(places);
}

double TSweepGrid::Value(std::size_t index) const
{
    const double value = start + static_cast<double>(index) * step;
    if (decimals < 0 || decimals > kMaxExactPower)
        return value;
    const double scale = PowerOfTen(decimals);
    const double units = std::nearbyint(value * scale);
    if (!(std::fabs(units) < 0x1p53))
        return value;
    return units / scale;
}

} // namespace eh
