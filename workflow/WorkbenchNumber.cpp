// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkbenchNumber.h"

#include "NumberFormat.h"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

namespace eh {

namespace {

constexpr int kSignificantDigits = 4;
constexpr int kMillimetreDecimals = 2;
// Beyond this a fixed text would be a row of digits no one reads.
constexpr double kLargestFixed = 1e15;

std::string WithSeparator(std::string text, char separator)
{
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

} // namespace

std::string WorkbenchNumber(double value, std::string_view unit, char separator)
{
    if (!std::isfinite(value))
        return FormatReportNumber(value, separator);
    // {fmt} rather than to_chars: emscripten's C++ library has no floating
    // to_chars, and the page shows these numbers too.
    std::string text;
    if (value != 0 && std::abs(value) >= kLargestFixed) {
        text = fmt::format("{:.{}g}", value, kSignificantDigits);
    } else {
        const int magnitude = value == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::abs(value))));
        int decimals = std::max(0, kSignificantDigits - 1 - magnitude);
        if (unit == "мм")
            decimals = std::min(decimals, kMillimetreDecimals);
        text = fmt::format("{:.{}f}", value, decimals);
    }
    if (text.find('.') != std::string::npos && text.find('e') == std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return WithSeparator(std::move(text), separator);
}

std::string ExactNumber(double value, char separator)
{
    char digits[kShortestNumberMaxBytes];
    return WithSeparator(std::string(digits, WriteShortestNumber(digits, value)), separator);
}

} // namespace eh
