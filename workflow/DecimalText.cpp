// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecimalText.h"

#include "NumberConversion.h"

#include <charconv>

namespace eh {

namespace {

// 18 decimal digits always fit an int64.
constexpr int kMaxDigits = 18;

} // namespace

std::optional<TDecimalText> ReadDecimalText(std::string_view text, char separator)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t digits = 0;
    int significant = 0;
    int places = 0;
    bool readSomething = false;
    bool fraction = false;
    for (; i < n; ++i) {
        if (!fraction && IsDecimalMark(text[i], separator)) {
            fraction = true;
            readSomething = true;
            continue;
        }
        if (!IsDigit(text[i]))
            break;
        readSomething = true;
        if (significant > 0 || text[i] != '0')
            ++significant;
        if (significant > kMaxDigits)
            return std::nullopt;
        digits = digits * 10 + (text[i] - '0');
        if (fraction)
            ++places;
    }
    if (!readSomething)
        return std::nullopt;
    long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && text[i] == '+')
            ++i;
        const auto [end, error] = std::from_chars(text.data() + i, text.data() + n, exponent);
        // Beyond a thousand places no grid is counted in integers anyway.
        if (error != std::errc() || exponent > 1000 || exponent < -1000)
            return std::nullopt;
        i = static_cast<std::size_t>(end - text.data());
    }
    while (i < n && text[i] == ' ')
        ++i;
    if (i != n)
        return std::nullopt;
    return TDecimalText{negative ? -digits : digits, places - static_cast<int>(exponent)};
}

} // namespace eh
