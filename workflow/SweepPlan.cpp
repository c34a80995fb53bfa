// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepPlan.h"

#include "DesignTables.h"
#include "Exceptions.h"
#include "NumberConversion.h"

#include <algorithm>
#include <cmath>

namespace eh {

namespace {

// A text read as a field is read, or the fault it makes.
struct TBound {
    double value = 0;
    std::optional<TSweepPlanFault> fault;
};

TBound ReadBound(std::string_view text, char separator, TSweepPlanFault notANumber, TSweepPlanFault beyondRange)
{
    try {
        return {ConvertFieldText(text, separator), std::nullopt};
    } catch (const EConvertError&) {
        return {0, notANumber};
    } catch (const EOverflow&) {
        return {0, beyondRange};
    }
}

TSweepPlanReading Fault(TSweepPlanFault fault) { return {std::nullopt, fault}; }

// The first and last values of a range, or the fault of the first text that
// is not one.
std::optional<TSweepPlanFault> ReadEnds(std::string_view firstText, std::string_view lastText, char separator,
                                        TBound& first, TBound& last)
{
    using enum TSweepPlanFault;
    first = ReadBound(firstText, separator, FirstNotANumber, FirstBeyondRange);
    if (first.fault)
        return first.fault;
    last = ReadBound(lastText, separator, LastNotANumber, LastBeyondRange);
    return last.fault;
}

} // namespace

TAntennaInputs TSweepPlan::InputsAt(const TAntennaInputs& base, std::size_t index) const
{
    TAntennaInputs inputs = base;
    inputs.*InputTable()[input].value = Value(index);
    return inputs;
}

TSweepPlanReading PlanSweepByStep(std::size_t input, std::string_view startText, std::string_view stopText,
                                  std::string_view stepText, char separator, std::size_t maxPoints)
{
    using enum TSweepPlanFault;
    TBound start;
    TBound stop;
    if (const auto fault = ReadEnds(startText, stopText, separator, start, stop))
        return Fault(*fault);
    const TBound step = ReadBound(stepText, separator, StepNotANumber, StepBeyondRange);
    if (step.fault)
        return Fault(*step.fault);
    if (step.value == 0.0)
        return Fault(ZeroStep);
    const double span = stop.value - start.value;
    if (!std::isfinite(span))
        return Fault(RangeTooWide);
    if (span != 0.0 && std::signbit(span) != std::signbit(step.value))
        return Fault(span > 0 ? StepMustBePositive : StepMustBeNegative);
    if (maxPoints == 0)
        return Fault(TooManyPoints);

    TSweepPlan plan;
    plan.input = input;
    plan.grid = TSweepGrid::ByStep(start.value, ReadDecimalText(startText, separator), step.value,
                                   ReadDecimalText(stepText, separator));
    const std::optional<std::size_t> steps =
        plan.grid.StepsUpTo(stop.value, ReadDecimalText(stopText, separator), maxPoints - 1);
    if (!steps)
        return Fault(TooManyPoints);
    // Where neighbouring doubles lie farther apart than STEP, values would
    // repeat and the last could overshoot STOP.
    const double largest = std::max(std::fabs(start.value), std::fabs(stop.value));
    if (span != 0.0 && std::fabs(step.value) < largest - std::nextafter(largest, 0.0))
        return Fault(StepBelowResolution);
    plan.points = *steps + 1;
    if (!std::isfinite(plan.Value(plan.points - 1)))
        return Fault(ValueBeyondRange);
    return {plan, {}};
}

TSweepPlanReading PlanSweepByPoints(std::size_t input, std::string_view fromText, std::string_view toText,
                                    std::size_t points, char separator, std::size_t maxPoints)
{
    using enum TSweepPlanFault;
    TBound from;
    TBound to;
    if (const auto fault = ReadEnds(fromText, toText, separator, from, to))
        return Fault(*fault);
    if (!(from.value < to.value))
        return Fault(EmptyRange);
    if (!std::isfinite(to.value - from.value))
        return Fault(RangeTooWide);
    if (points < 2)
        return Fault(TooFewPoints);
    if (points > maxPoints)
        return Fault(TooManyPoints);

    TSweepPlan plan;
    plan.input = input;
    plan.points = points;
    plan.grid = TSweepGrid::ByIntervals(from.value, ReadDecimalText(fromText, separator), to.value,
                                        ReadDecimalText(toText, separator), points - 1);
    return {plan, {}};
}

} // namespace eh
