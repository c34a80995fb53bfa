// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerRange.h"

#include "DesignTables.h"
#include "ShownLengths.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace eh {

namespace {

// A whole number of points; beyond the long long range it counts as too
// many (or, negative, too few).
std::optional<long long> ReadCount(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    long long count = 0;
    const char* const begin = text.data() + first;
    const char* const end = text.data() + last + 1;
    const auto [stop, error] = std::from_chars(begin, end, count);
    if (stop != end)
        return std::nullopt;
    if (error == std::errc::result_out_of_range)
        return text[first] == '-' ? -1 : static_cast<long long>(kMaxExplorerPoints) + 1;
    if (error != std::errc())
        return std::nullopt;
    return count;
}

// The catalogue's key of the fault's message.
const char* PlanFaultKey(TSweepPlanFault fault)
{
    switch (fault) {
    case TSweepPlanFault::FirstNotANumber:
        return "explorer.range.first-not-a-number";
    case TSweepPlanFault::FirstBeyondRange:
        return "explorer.range.first-beyond-range";
    case TSweepPlanFault::LastNotANumber:
        return "explorer.range.last-not-a-number";
    case TSweepPlanFault::LastBeyondRange:
        return "explorer.range.last-beyond-range";
    case TSweepPlanFault::EmptyRange:
        return "explorer.range.empty";
    case TSweepPlanFault::TooFewPoints:
        return "explorer.range.too-few-points";
    default:
        return "explorer.range.too-wide";
    }
}

// `value` rounded to two significant digits, down or up.
double TwoDigits(double value, bool up)
{
    const double unit = std::pow(10.0, std::floor(std::log10(value)) - 1);
    const double digits = value / unit;
    return (up ? std::ceil(digits - 1e-9) : std::floor(digits + 1e-9)) * unit;
}

} // namespace

TRangeTexts MillimetreRangeTexts(std::size_t input, const TRangeTexts& texts, char separator, TLengthUnit lengths)
{
    const bool length = IsLength(InputTable()[input]);
    return {MillimetreTextOf(length, texts.from, separator, lengths),
            MillimetreTextOf(length, texts.to, separator, lengths), texts.points};
}

TRangeReading ReadExplorerRange(std::size_t input, const TRangeTexts& typed, char separator, TLanguage language,
                                TLengthUnit lengths)
{
    const TRangeTexts texts = MillimetreRangeTexts(input, typed, separator, lengths);
    TRangeReading reading;
    const std::optional<long long> points = ReadCount(texts.points);
    std::size_t count = 2;
    if (points) {
        count = static_cast<std::size_t>(std::clamp<long long>(*points, 0, kMaxExplorerPoints));
        if (*points > static_cast<long long>(kMaxExplorerPoints))
            reading.note = fmt::format(fmt::runtime(LocalText("explorer.range.points-limited", language)), kMaxExplorerPoints);
    }
    const TSweepPlanReading plan =
        PlanSweepByPoints(input, texts.from, texts.to, count, separator, kMaxExplorerPoints);
    if (!plan.plan)
        reading.message = LocalText(PlanFaultKey(plan.fault), language);
    else if (!points)
        reading.message = LocalText("explorer.range.points-not-whole", language);
    else if (InputTable()[input].value == &TAntennaInputs::FrequencyMHz && !(plan.plan->Value(0) > 0))
        reading.message = LocalText("explorer.range.frequency-not-positive", language);
    else
        reading.plan = plan.plan;
    return reading;
}

std::optional<TRangeBounds> PresetRange(TRangePreset preset, TIaruRegion region, double typedFrequencyMHz)
{
    switch (preset) {
    case TRangePreset::WholeHf:
        return TRangeBounds{1.8, 30};
    case TRangePreset::TypedBand: {
        const TAmateurBand& band = NearestBand(region, typedFrequencyMHz);
        return TRangeBounds{band.LowMHz(), band.HighMHz()};
    }
    default:
        return std::nullopt;
    }
}

TRangeBounds SensibleRange(std::size_t input)
{
    // In InputTable order: frequency (MHz), cylinder diameter (mm), length
    // to diameter, wire diameter (mm), pitch (mm), turn diameter (mm),
    // measured bandwidth (kHz).
    static constexpr TRangeBounds kRanges[kInputCount] = {
        {1.8, 30}, {1, 500}, {0.1, 20}, {0.05, 10}, {0.05, 20}, {1, 500}, {1, 5000},
    };
    return kRanges[std::min(input, kInputCount - 1)];
}

TRangeBounds ShownSensibleRange(std::size_t input, TLengthUnit lengths)
{
    const TRangeBounds bounds = SensibleRange(input);
    const TInputInfo& info = InputTable()[std::min(input, kInputCount - 1)];
    if (lengths != TLengthUnit::Inch || !IsLength(info))
        return bounds;
    return {TwoDigits(InShownUnit(info, bounds.from, lengths), false),
            TwoDigits(InShownUnit(info, bounds.to, lengths), true)};
}

std::string RangeBoundText(double value, char separator)
{
    // Twelve significant digits: a band edge divided by 1000 (14.35) reads
    // as typed, not as 14.349999999999999.
    // {fmt} rather than std::to_chars: the WebAssembly build's C++ library
    // has no to_chars with a precision.
    std::string text = fmt::format("{:.12g}", value + 0.0); // no "-0"
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

std::string NotANumberNote(std::size_t input, TLanguage language)
{
    return fmt::format(fmt::runtime(LocalText("explorer.not-a-number", language)),
                       InputText(InputTable()[input], "label", language));
}

} // namespace eh
