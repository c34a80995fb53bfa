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
    // The syntax is known good: the sign, the digits and the decimal mark
    // are all in the part before the exponent, spaces only around it all.
    const std::size_t e = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, e);
    std::int64_t digits = 0;
    int significant = 0;
    int places = 0;
    bool fraction = false;
    for (const char c : mantissa) {
        if (IsDecimalMark(c, separator)) {
            fraction = true;
        } else if (IsDigit(c)) {
            if (significant > 0 || c != '0')
                ++significant;
            if (significant > kMaxDigits)
                return std::nullopt;
            digits = digits * 10 + (c - '0');
            places += fraction ? 1 : 0;
        }
    }
    long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view rest = text.substr(e + 1);
        rest = rest.substr(0, rest.find(' '));
        if (!rest.empty() && rest.front() == '+')
            rest.remove_prefix(1);
        const char* const end = rest.data() + rest.size();
        const auto [stop, error] = std::from_chars(rest.data(), end, exponent);
        // An exponent without digits ("1e") or beyond a thousand places
        // leaves the grid to be computed in doubles.
        if (error != std::errc() || stop != end || exponent > 1000 || exponent < -1000)
            return std::nullopt;
    }
    const bool negative = mantissa.find('-') != std::string_view::npos;
    return TDecimalText{negative ? -digits : digits, places - static_cast<int>(exponent)};
}

} // namespace eh
