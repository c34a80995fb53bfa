// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerSweep.h"

#include "DesignCsv.h"
#include "Exceptions.h"
#include "NumberConversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace eh {

namespace {

std::optional<double> ReadBound(const std::string& text, char separator)
{
    try {
        return ConvertFieldText(text, separator);
    } catch (const Exception&) {
        // Not a number, or beyond the double range: either way no bound.
        return std::nullopt;
    }
}

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

const char* FaultReason(const std::string& kind)
{
    if (kind == "EZeroDivide")
        return "деление на ноль";
    if (kind == "EInvalidOp")
        return "недопустимая операция";
    if (kind == "EOverflow")
        return "переполнение";
    return "ошибка";
}

} // namespace

TRangeReading ReadSweepRange(std::size_t input, const TRangeTexts& texts, char separator)
{
    TRangeReading reading;
    const std::optional<double> from = ReadBound(texts.from, separator);
    const std::optional<double> to = ReadBound(texts.to, separator);
    const std::optional<long long> points = ReadCount(texts.points);
    if (!from) {
        reading.message = "Начало диапазона: не число";
    } else if (!to) {
        reading.message = "Конец диапазона: не число";
    } else if (!points) {
        reading.message = "Число точек: не целое число";
    } else if (!(*from < *to)) {
        reading.message = "Начало диапазона должно быть меньше конца";
    } else if (!std::isfinite(*to - *from)) {
        reading.message = "Диапазон слишком широк";
    } else if (*points < 2) {
        reading.message = "Число точек должно быть не меньше 2";
    } else if (InputTable()[input].value == &TAntennaInputs::FrequencyMHz && *from <= 0) {
        reading.message = "Частота должна быть больше нуля";
    }
    if (!reading.message.empty())
        return reading;

    TSweepRange range{input, *from, *to, static_cast<std::size_t>(*points), {}, {}};
    if (range.points > kMaxExplorerPoints) {
        range.points = kMaxExplorerPoints;
        reading.note = "Число точек ограничено: " + std::to_string(kMaxExplorerPoints);
    }
    char step[32];
    const double exactStep = (range.to - range.from) / static_cast<double>(range.points - 1);
    char* const stepEnd = std::to_chars(step, step + sizeof step, exactStep, std::chars_format::general, 12).ptr;
    range.stepText.assign(step, static_cast<std::size_t>(stepEnd - step));
    range.grid = TSweepGrid::ByIntervals(range.from, ReadDecimalText(texts.from, separator), range.to,
                                         ReadDecimalText(texts.to, separator), range.points - 1);
    reading.range = range;
    return reading;
}

TAntennaInputs TSweep::InputsAt(std::size_t i) const
{
    TAntennaInputs inputs = base;
    inputs.*InputTable()[range.input].value = range.Value(i);
    return inputs;
}

std::size_t TSweep::FaultCount() const
{
    std::size_t count = 0;
    for (const TSweepFaults& kind : faults)
        count += kind.count;
    return count;
}

TSweep RunExplorerSweep(const TAntennaInputs& base, const TSweepRange& range)
{
    TSweep sweep;
    sweep.range = range;
    sweep.base = base;
    sweep.results.reserve(range.points);
    sweep.faultOf.reserve(range.points);
    for (std::size_t i = 0; i < range.points; ++i) {
        TDesign design = CalculateDesign(sweep.InputsAt(i));
        sweep.results.push_back(design.results);
        unsigned char faultIndex = TSweep::kNoFault;
        if (design.fault) {
            std::size_t k = 0;
            while (k < sweep.faults.size() && (sweep.faults[k].fault.kind != design.fault->kind ||
                                               sweep.faults[k].fault.message != design.fault->message))
                ++k;
            if (k == sweep.faults.size())
                sweep.faults.push_back({*design.fault, 0});
            ++sweep.faults[k].count;
            faultIndex = static_cast<unsigned char>(k);
        }
        sweep.faultOf.push_back(faultIndex);
    }
    return sweep;
}

std::string NotANumberNote(std::size_t input) { return std::string(InputTable()[input].label) + ": не число"; }

std::string FaultSummary(const TSweep& sweep)
{
    const std::size_t faulted = sweep.FaultCount();
    if (faulted == 0)
        return {};
    std::string summary = "Точек с ошибкой: " + std::to_string(faulted) + " из " +
                          std::to_string(sweep.range.points) + " (";
    for (std::size_t k = 0; k < sweep.faults.size(); ++k) {
        if (k > 0)
            summary += "; ";
        summary += FaultReason(sweep.faults[k].fault.kind);
        summary += ": " + std::to_string(sweep.faults[k].count);
    }
    return summary + ")";
}

std::string SweepCsv(const TSweep& sweep)
{
    std::string out;
    AppendCsvHeader(out);
    for (std::size_t i = 0; i < sweep.range.points; ++i) {
        if (sweep.faultOf[i] != TSweep::kNoFault)
            AppendCsvFaultRow(out, sweep.InputsAt(i), sweep.faults[sweep.faultOf[i]].fault);
        else
            AppendCsvRow(out, sweep.InputsAt(i), *sweep.results[i]);
    }
    return out;
}

} // namespace eh
