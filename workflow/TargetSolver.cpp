// SPDX-License-Identifier: GPL-3.0-or-later
#include "TargetSolver.h"

#include "DesignService.h"
#include "DesignTables.h"

#include <algorithm>
#include <cmath>
#include <variant>

namespace eh {

namespace {

// Bisection stops once the result is this close to the target, relatively.
constexpr double kSolvedRelativeError = 1e-12;
// A bracket whose best point is farther than this from the target, though
// its ends are neighbouring doubles, holds a jump, not a solution.
constexpr double kAcceptedRelativeError = 1e-9;

class TResultFunction {
public:
    explicit TResultFunction(const TSolveRequest& request)
        : request_(request), input_(InputTable()[request.plan.input].value), result_(ResultTable()[request.result])
    {
    }

    enum class TNoValue { Fault, StandIn };

    // The result at `x`, or why there is none.
    std::variant<double, TNoValue> Sample(double x) const
    {
        TAntennaInputs inputs = request_.base;
        inputs.*input_ = x;
        const TDesign design = CalculateDesign(inputs);
        if (!design.results)
            return TNoValue::Fault;
        if (!HasFigure(result_, *design.results))
            return TNoValue::StandIn;
        const double value = (*design.results).*result_.value;
        if (!std::isfinite(value))
            return TNoValue::Fault;
        return value;
    }

    std::optional<double> At(double x) const
    {
        const auto sample = Sample(x);
        if (const double* value = std::get_if<double>(&sample))
            return *value;
        return std::nullopt;
    }

private:
    const TSolveRequest& request_;
    double TAntennaInputs::*input_;
    const TResultInfo& result_;
};

struct TSample {
    double x;
    double gap; // result - target
};

bool SignsDiffer(double a, double b) { return (a < 0 && b > 0) || (a > 0 && b < 0); }

// Narrows a bracket whose ends lie on either side of the target. Returns the
// solution, or nothing when the bracket holds a jump or a fault.
std::optional<double> Bisect(const TResultFunction& result, double target, TSample a, TSample b)
{
    const double solved = kSolvedRelativeError * std::fabs(target);
    const double accepted = kAcceptedRelativeError * (target != 0 ? std::fabs(target)
                                                                  : std::max(std::fabs(a.gap), std::fabs(b.gap)));
    for (;;) {
        const double middle = a.x + (b.x - a.x) / 2;
        if (middle == a.x || middle == b.x)
            break; // neighbouring doubles
        const std::optional<double> value = result.At(middle);
        if (!value)
            return std::nullopt;
        const TSample m{middle, *value - target};
        if (m.gap == 0 || std::fabs(m.gap) <= solved)
            return m.x;
        (SignsDiffer(a.gap, m.gap) ? b : a) = m;
    }
    const TSample& best = std::fabs(a.gap) <= std::fabs(b.gap) ? a : b;
    if (std::fabs(best.gap) <= accepted)
        return best.x;
    return std::nullopt;
}

} // namespace

TSolveOutcome SolveForTarget(const TSolveRequest& request, const std::atomic<bool>* cancelled)
{
    const TResultFunction result(request);
    const double target = request.target;
    TSolveOutcome outcome;
    std::optional<TSample> previous; // the neighbouring point, when it had a value
    std::size_t computed = 0;       // points with a value
    for (std::size_t i = 0; i < request.plan.points; ++i) {
        if (cancelled && cancelled->load(std::memory_order_relaxed)) {
            outcome.cancelled = true;
            break;
        }
        const double x = request.plan.Value(i);
        const auto sampled = result.Sample(x);
        const double* value = std::get_if<double>(&sampled);
        if (!value) {
            ++(std::get<TResultFunction::TNoValue>(sampled) == TResultFunction::TNoValue::Fault
                   ? outcome.faultedPoints
                   : outcome.standInPoints);
            previous.reset();
            continue;
        }
        ++computed;
        outcome.lowestResult = std::min(outcome.lowestResult.value_or(*value), *value);
        outcome.highestResult = std::max(outcome.highestResult.value_or(*value), *value);
        const TSample sample{x, *value - target};
        if (sample.gap == 0) {
            outcome.solutions.push_back(x);
        } else if (previous && SignsDiffer(previous->gap, sample.gap)) {
            if (const std::optional<double> solution = Bisect(result, target, *previous, sample))
                outcome.solutions.push_back(*solution);
            else
                ++outcome.jumps;
        }
        previous = sample;
    }
    std::sort(outcome.solutions.begin(), outcome.solutions.end());
    // Every point a solution, or none: the input does not matter.
    if (!outcome.cancelled && computed >= 2 && *outcome.lowestResult == *outcome.highestResult) {
        outcome.constant = true;
        outcome.solutions.clear();
    }
    return outcome;
}

} // namespace eh
