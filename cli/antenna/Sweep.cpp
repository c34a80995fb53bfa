// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sweep.h"

#include "Cli.h"
#include "DesignCsv.h"
#include "DesignService.h"
#include "Exceptions.h"
#include "InputKeys.h"
#include "NumberConversion.h"
#include "UsageError.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace eh::cli {

namespace {

constexpr std::size_t kFlushBytes = std::size_t{1} << 20;

std::string Shown(std::string_view text)
{
    constexpr std::size_t kShownBytes = 40;
    return "\"" + EscapeTyped(text.substr(0, kShownBytes)) + (text.size() > kShownBytes ? "...\"" : "\"");
}

double ReadBound(std::string_view text, const char* what, char separator)
{
    try {
        return ConvertFieldText(text, separator);
    } catch (const EConvertError&) {
        throw UsageError(std::string("--sweep: ") + what + " " + Shown(text) + " is not a number");
    } catch (const EOverflow&) {
        throw UsageError(std::string("--sweep: ") + what + " " + Shown(text) + " is beyond the double range");
    }
}

} // namespace

SweepPlan ParseSweep(std::string_view text, char separator)
{
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        throw UsageError("--sweep: expected NAME=START:STOP:STEP, got " + Shown(text));
    const std::string_view name = text.substr(0, equals);
    const auto field = InputByKey(name);
    if (!field)
        throw UsageError("--sweep: unknown field " + Shown(name) + " (the names are " + InputKeys(", ") + ")");

    const std::string_view range = text.substr(equals + 1);
    const std::size_t colon1 = range.find(':');
    const std::size_t colon2 = colon1 == std::string_view::npos ? colon1 : range.find(':', colon1 + 1);
    if (colon2 == std::string_view::npos || range.find(':', colon2 + 1) != std::string_view::npos)
        throw UsageError("--sweep: expected NAME=START:STOP:STEP, got " + Shown(text));

    const std::string_view startText = range.substr(0, colon1);
    const std::string_view stepText = range.substr(colon2 + 1);
    SweepPlan plan;
    plan.field = *field;
    TSweepGrid& grid = plan.grid;
    grid.start = ReadBound(startText, "START", separator);
    const double stop = ReadBound(range.substr(colon1 + 1, colon2 - colon1 - 1), "STOP", separator);
    grid.step = ReadBound(stepText, "STEP", separator);
    const int startPlaces = DecimalPlaces(startText, separator);
    const int stepPlaces = DecimalPlaces(stepText, separator);
    grid.decimals = startPlaces < 0 || stepPlaces < 0 ? -1 : std::max(startPlaces, stepPlaces);

    if (grid.step == 0.0)
        throw UsageError("--sweep: STEP must not be zero");
    const double span = stop - grid.start;
    if (!std::isfinite(span))
        throw UsageError("--sweep: the range from START to STOP is too wide");
    if (span != 0.0 && std::signbit(span) != std::signbit(grid.step))
        throw UsageError(std::string("--sweep: STEP must be ") + (span > 0 ? "positive" : "negative") +
                         " to go from START to STOP");
    const double steps = span / grid.step; // >= 0, or +inf for a tiny step
    if (!(steps < static_cast<double>(kMaxSweepRows)))
        throw UsageError("--sweep: more than " + std::to_string(kMaxSweepRows) +
                         " rows; use a larger STEP or a smaller range");
    plan.rows = static_cast<std::size_t>(std::floor(steps + 1e-9)) + 1;
    if (plan.rows > kMaxSweepRows)
        throw UsageError("--sweep: more than " + std::to_string(kMaxSweepRows) +
                         " rows; use a larger STEP or a smaller range");
    if (!std::isfinite(grid.Value(plan.rows - 1)))
        throw UsageError("--sweep: the last value is beyond the double range");
    return plan;
}

SweepCounts RunSweep(const SweepPlan& plan, const TAntennaInputs& base, char separator, OutputFormat format,
                     std::ostream& out)
{
    SweepCounts counts;
    std::string buffer;
    buffer.reserve(kFlushBytes + (std::size_t{64} << 10));
    if (format == OutputFormat::Csv)
        AppendCsvHeader(buffer);

    double TAntennaInputs::*const member = InputTable()[plan.field].value;
    for (std::size_t row = 0; row < plan.rows; ++row) {
        TAntennaInputs inputs = base;
        inputs.*member = plan.grid.Value(row);
        const TDesign design = CalculateDesign(inputs);
        ++counts.rows;
        if (design.pitchNotice)
            ++counts.notices;
        if (design.fault) {
            ++counts.faults;
            if (format == OutputFormat::Json) {
                AppendInputsErrorJson(buffer, inputs, FaultKindName(design.fault->kind), design.fault->message);
                buffer += '\n';
            } else {
                AppendCsvFaultRow(buffer, inputs, *design.fault);
            }
        } else if (format == OutputFormat::Json) {
            AppendDesignJson(buffer, inputs, *design.results, separator);
            buffer += '\n';
        } else {
            AppendCsvRow(buffer, inputs, *design.results);
        }
        if (buffer.size() >= kFlushBytes) {
            out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
            if (!out)
                return counts; // the caller reports the failed output
        }
    }
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    out.flush();
    return counts;
}

} // namespace eh::cli
