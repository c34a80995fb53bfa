// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkbenchNumber.h"

#include "Language.h"
#include "NumberFormat.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace eh {

namespace {

constexpr int kSignificantDigits = 4;
constexpr int kMillimetreDecimals = 2;
// Inches to the thousandth, as the report writes them.
constexpr int kInchDecimals = 3;
// Beyond this a fixed text would be a row of digits no one reads.
constexpr double kLargestFixed = 1e15;

// Past this many decimals a double has no more digits of its own.
constexpr int kMostDecimals = 17;

std::string WithSeparator(std::string text, char separator)
{
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

std::string WithoutTrailingZeros(std::string text)
{
    if (text.find('.') != std::string::npos && text.find('e') == std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return text;
}

} // namespace

std::string WorkbenchNumber(double value, std::string_view unit, char separator)
{
    if (!std::isfinite(value))
        return FormatReportNumber(value, separator);
    // {fmt} rather than std::to_chars: the WebAssembly build's C++ library
    // has no to_chars with a precision.
    std::string text;
    if (value != 0 && std::abs(value) >= kLargestFixed) {
        text = fmt::format("{:.{}g}", value, kSignificantDigits);
    } else {
        const int magnitude = value == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::abs(value))));
        int decimals = std::max(0, kSignificantDigits - 1 - magnitude);
        if (unit == RussianText("unit.millimetre"))
            decimals = std::min(decimals, kMillimetreDecimals);
        else if (unit == RussianText("unit.inch"))
            decimals = std::min(decimals, kInchDecimals);
        text = fmt::format("{:.{}f}", value, decimals);
    }
    return WithSeparator(WithoutTrailingZeros(std::move(text)), separator);
}

int StepDecimals(const std::vector<double>& values)
{
    double step = std::numeric_limits<double>::infinity();
    for (std::size_t i = 1; i < values.size(); ++i)
        if (const double gap = std::abs(values[i] - values[i - 1]); gap > 0 && std::isfinite(gap))
            step = std::min(step, gap);
    if (!std::isfinite(step))
        return 0;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step))) + 1, 0, kMostDecimals);
}

std::string DecimalsNumber(double value, int decimals, char separator)
{
    if (!std::isfinite(value) || std::abs(value) >= kLargestFixed)
        return WorkbenchNumber(value, "", separator);
    return WithSeparator(WithoutTrailingZeros(fmt::format("{:.{}f}", value, std::clamp(decimals, 0, kMostDecimals))),
                         separator);
}

std::string ExactNumber(double value, char separator)
{
    char digits[kShortestNumberMaxBytes];
    return WithSeparator(std::string(digits, WriteShortestNumber(digits, value)), separator);
}

} // namespace eh
