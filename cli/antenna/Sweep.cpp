// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sweep.h"

#include "DesignCsv.h"
#include "DesignService.h"
#include "InputKeys.h"
#include "UsageError.h"
#include "Utf8.h"

#include <string>

namespace eh::cli {

namespace {

constexpr std::size_t kFlushBytes = std::size_t{1} << 20;

std::string Shown(std::string_view text)
{
    constexpr std::size_t kShownBytes = 40;
    return "\"" + EscapeTyped(text.substr(0, kShownBytes)) + (text.size() > kShownBytes ? "...\"" : "\"");
}

struct TRangeTexts {
    std::string_view start;
    std::string_view stop;
    std::string_view step;
};

std::string PlanFaultMessage(TSweepPlanFault fault, const TRangeTexts& texts)
{
    switch (fault) {
    case TSweepPlanFault::FirstNotANumber:
        return "START " + Shown(texts.start) + " is not a number";
    case TSweepPlanFault::FirstBeyondRange:
        return "START " + Shown(texts.start) + " is beyond the double range";
    case TSweepPlanFault::LastNotANumber:
        return "STOP " + Shown(texts.stop) + " is not a number";
    case TSweepPlanFault::LastBeyondRange:
        return "STOP " + Shown(texts.stop) + " is beyond the double range";
    case TSweepPlanFault::StepNotANumber:
        return "STEP " + Shown(texts.step) + " is not a number";
    case TSweepPlanFault::StepBeyondRange:
        return "STEP " + Shown(texts.step) + " is beyond the double range";
    case TSweepPlanFault::ZeroStep:
        return "STEP must not be zero";
    case TSweepPlanFault::StepMustBePositive:
        return "STEP must be positive to go from START to STOP";
    case TSweepPlanFault::StepMustBeNegative:
        return "STEP must be negative to go from START to STOP";
    case TSweepPlanFault::RangeTooWide:
        return "the range from START to STOP is too wide";
    case TSweepPlanFault::StepBelowResolution:
        return "STEP " + Shown(texts.step) + " is finer than doubles can tell apart between START and STOP";
    case TSweepPlanFault::ValueBeyondRange:
        return "the last value is beyond the double range";
    case TSweepPlanFault::EmptyRange:
    case TSweepPlanFault::TooFewPoints:
    case TSweepPlanFault::TooManyPoints:
        break;
    }
    return "more than " + std::to_string(kMaxSweepRows) + " rows; use a larger STEP or a smaller range";
}

} // namespace

TSweepPlan ParseSweep(std::string_view text, char separator)
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

    const TRangeTexts texts{range.substr(0, colon1), range.substr(colon1 + 1, colon2 - colon1 - 1),
                            range.substr(colon2 + 1)};
    const TSweepPlanReading reading =
        PlanSweepByStep(*field, texts.start, texts.stop, texts.step, separator, kMaxSweepRows);
    if (!reading.plan)
        throw UsageError("--sweep: " + PlanFaultMessage(reading.fault, texts));
    return *reading.plan;
}

TSweepCounts WriteSweep(const TSweepPlan& plan, const TAntennaInputs& base, char separator, OutputFormat format,
                        std::ostream& out, const TReportOptions& report)
{
    std::string buffer;
    buffer.reserve(kFlushBytes + (std::size_t{64} << 10));
    if (format == OutputFormat::Csv)
        AppendCsvHeader(buffer);

    const TSweepCounts counts = VisitDesignSweep(plan, base, [&](const TSweepPoint& point) {
        const TDesign& design = point.design;
        if (design.fault) {
            if (format == OutputFormat::Json) {
                AppendInputsErrorJson(buffer, design.inputs, FaultKindName(design.fault->kind), design.fault->message);
                buffer += '\n';
            } else {
                AppendCsvFaultRow(buffer, design.inputs, *design.fault);
            }
        } else if (format == OutputFormat::Json) {
            AppendDesignJson(buffer, design.inputs, *design.results, separator, report);
            buffer += '\n';
        } else {
            AppendCsvRow(buffer, design.inputs, *design.results);
        }
        if (buffer.size() < kFlushBytes)
            return true;
        out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        buffer.clear();
        return static_cast<bool>(out); // the caller reports the failed output
    });
    if (out) {
        out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        out.flush();
    }
    return counts;
}

} // namespace eh::cli
