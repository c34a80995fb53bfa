// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerRange.h"

#include "DesignTables.h"

#include "NumberFormat.h"

#include <algorithm>
#include <charconv>

#include <fmt/format.h>

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

const char* PlanFaultMessage(TSweepPlanFault fault)
{
    switch (fault) {
    case TSweepPlanFault::FirstNotANumber:
        return "Начало диапазона: не число";
    case TSweepPlanFault::FirstBeyondRange:
        return "Начало диапазона: число вне допустимого диапазона";
    case TSweepPlanFault::LastNotANumber:
        return "Конец диапазона: не число";
    case TSweepPlanFault::LastBeyondRange:
        return "Конец диапазона: число вне допустимого диапазона";
    case TSweepPlanFault::EmptyRange:
        return "Начало диапазона должно быть меньше конца";
    case TSweepPlanFault::TooFewPoints:
        return "Число точек должно быть не меньше 2";
    default:
        return "Диапазон слишком широк";
    }
}

} // namespace

TRangeReading ReadExplorerRange(std::size_t input, const TRangeTexts& texts, char separator)
{
    TRangeReading reading;
    const std::optional<long long> points = ReadCount(texts.points);
    std::size_t count = 2;
    if (points) {
        count = static_cast<std::size_t>(std::clamp<long long>(*points, 0, kMaxExplorerPoints));
        if (*points > static_cast<long long>(kMaxExplorerPoints))
            reading.note = "Число точек ограничено: " + std::to_string(kMaxExplorerPoints);
    }
    const TSweepPlanReading plan =
        PlanSweepByPoints(input, texts.from, texts.to, count, separator, kMaxExplorerPoints);
    if (!plan.plan)
        reading.message = PlanFaultMessage(plan.fault);
    else if (!points)
        reading.message = "Число точек: не целое число";
    else if (InputTable()[input].value == &TAntennaInputs::FrequencyMHz && !(plan.plan->Value(0) > 0))
        reading.message = "Частота должна быть больше нуля";
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

std::string RangeBoundText(double value, char separator)
{
    // Twelve significant digits: a band edge divided by 1000 (14.35) reads
    // as typed, not as 14.349999999999999.
    // {fmt}: emscripten's C++ library has no floating to_chars.
    std::string text = fmt::format("{:.12g}", value + 0.0); // no "-0"
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

std::string NotANumberNote(std::size_t input) { return std::string(InputTable()[input].label) + ": не число"; }

} // namespace eh
