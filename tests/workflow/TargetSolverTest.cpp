// SPDX-License-Identifier: GPL-3.0-or-later
// Solving for a target against the design service itself: every solution
// gives the target, and no change of sign on a 10,000-point grid is missed.
#include "CoreTestSupport.h"
#include "DesignService.h"
#include "DesignTables.h"
#include "TargetSolver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <optional>
#include <string>

namespace {

using eh::TAntennaInputs;

std::optional<double> ResultAt(TAntennaInputs inputs, std::size_t input, double x, std::size_t result)
{
    inputs.*eh::InputTable()[input].value = x;
    const eh::TDesign design = eh::CalculateDesign(inputs);
    if (!design.results)
        return std::nullopt;
    return (*design.results).*eh::ResultTable()[result].value;
}

eh::TSolveRequest Request(TAntennaInputs base, const char* inputKey, const char* from, const char* to,
                          const char* resultKey, double target)
{
    const std::size_t input = *eh::InputByKey(inputKey);
    const eh::TSweepPlanReading plan =
        eh::PlanSweepByPoints(input, from, to, eh::kSolveGridPoints, '.', eh::kSolveGridPoints);
    return {*plan.plan, base, *eh::ResultByKey(resultKey), target};
}

TEST(TargetSolver, FindsEverySolutionAndEachGivesTheTarget)
{
    struct Case {
        const char* input;
        const char* from;
        const char* to;
        const char* result;
        double targetAt; // the target is the result here, between two grid points
    };
    // Monotonic results, and results with one or two turning points (two or
    // three solutions).
    const Case cases[] = {
        {"cylinder-diameter", "10", "200", "BandwidthKHz", 22.6},
        {"frequency", "1", "60", "TurnCount", 7.123},
        {"frequency", "1", "60", "LengthToWavelengthPct", 3.3},
        {"frequency", "1", "60", "LengthToWavelengthPct", 55.5},
        {"cylinder-diameter", "1", "500", "TotalLengthCm", 3.21},
        {"cylinder-diameter", "1", "500", "TotalLengthCm", 80.07},
        {"cylinder-diameter", "1", "500", "InductanceUh", 400.3},
        {"ratio", "0.1", "20", "EfficiencyPct", 0.77},
        {"turn-diameter", "1", "500", "LossDb", 333.3},
        {"pitch", "0.05", "20", "CoilWireLengthCm", 3.3},
        {"bandwidth", "1", "5000", "RrOhm", 1234.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.input) + " " + c.result + " at " + std::to_string(c.targetAt));
        const TAntennaInputs base = eh::test::ExampleB();
        eh::TSolveRequest request = Request(base, c.input, c.from, c.to, c.result, 0);
        const std::size_t input = request.plan.input;
        request.target = *ResultAt(base, input, c.targetAt, request.result);
        const eh::TSolveOutcome outcome = eh::SolveForTarget(request);

        ASSERT_FALSE(outcome.solutions.empty());
        for (const double solution : outcome.solutions) {
            const double value = *ResultAt(base, input, solution, request.result);
            EXPECT_LE(std::fabs(value - request.target), 1e-9 * std::fabs(request.target)) << solution;
        }
        // Every change of sign between neighbours of a 10,000-point grid
        // holds a solution.
        const double from = std::stod(c.from);
        const double to = std::stod(c.to);
        constexpr int kPoints = 10'000;
        double previousX = from;
        double previousGap = *ResultAt(base, input, from, request.result) - request.target;
        int changes = 0;
        for (int i = 1; i < kPoints; ++i) {
            const double x = from + (to - from) * i / (kPoints - 1);
            const double gap = *ResultAt(base, input, x, request.result) - request.target;
            if ((previousGap < 0) != (gap < 0)) {
                ++changes;
                bool found = false;
                for (const double solution : outcome.solutions)
                    found = found || (solution >= previousX && solution <= x);
                EXPECT_TRUE(found) << "no solution between " << previousX << " and " << x;
            }
            previousX = x;
            previousGap = gap;
        }
        EXPECT_EQ(outcome.solutions.size(), static_cast<std::size_t>(changes));
    }
}

TEST(TargetSolver, SaysWhyThereIsNoSolution)
{
    // The efficiency stays above 90 % over the pitch range: the result's
    // range says so.
    const eh::TSolveOutcome none =
        eh::SolveForTarget(Request(eh::test::ExampleB(), "pitch", "0", "5", "EfficiencyPct", 50));
    EXPECT_TRUE(none.solutions.empty());
    ASSERT_TRUE(none.lowestResult && none.highestResult);
    EXPECT_GT(*none.lowestResult, 90);
    EXPECT_LT(*none.lowestResult, *none.highestResult);
    EXPECT_EQ(*none.highestResult, *ResultAt(eh::test::ExampleB(), 4, 0, *eh::ResultByKey("EfficiencyPct")));

    // A frequency at or below zero faults: the whole range, then a range
    // split by 646 faulting points (those at or below zero) with a solution
    // past them.
    const eh::TSolveOutcome faulted =
        eh::SolveForTarget(Request(eh::test::ExampleA(), "frequency", "-2", "-1", "QFactor", 10));
    EXPECT_TRUE(faulted.solutions.empty());
    EXPECT_FALSE(faulted.lowestResult);
    EXPECT_EQ(faulted.faultedPoints, eh::kSolveGridPoints);

    const eh::TSolveOutcome split =
        eh::SolveForTarget(Request(eh::test::ExampleA(), "frequency", "-1", "30", "QFactor", 10));
    EXPECT_EQ(split.faultedPoints, 646u);
    ASSERT_EQ(split.solutions.size(), 1u);
    EXPECT_GT(split.solutions[0], 0);
}

TEST(TargetSolver, NeitherCrossesTheModelsStandInNorListsEveryPointOfAConstant)
{
    // With no bandwidth measured the model writes 0 dB for the loss, which
    // falls without bound towards it: nothing is known across that point,
    // and 0 is no value of the result. A result the input does not change
    // has no solutions of its own.
    const struct {
        const char* input;
        const char* from;
        const char* to;
        const char* result;
        double target;
        std::size_t solutions;
        std::size_t standIns;
        bool constant;
    } cases[] = {
        {"bandwidth", "-1", "1", "LossDb", -50, 0, 1, false},
        {"bandwidth", "-1", "1", "LossDb", -10, 1, 1, false},
        {"frequency", "1", "10", "FlatArmGapCm", 5, 0, 0, true},
        {"frequency", "1", "10", "FlatArmGapCm", 4, 0, 0, true},
        {"frequency", "1", "10", "LossDb", 0, 0, eh::kSolveGridPoints, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input) + " " + c.result + " " + std::to_string(c.target));
        const eh::TSolveOutcome outcome =
            eh::SolveForTarget(Request(eh::test::ExampleA(), c.input, c.from, c.to, c.result, c.target));
        EXPECT_EQ(outcome.solutions.size(), c.solutions);
        EXPECT_EQ(outcome.standInPoints, c.standIns);
        EXPECT_EQ(outcome.constant, c.constant);
        EXPECT_EQ(outcome.jumps, 0u);
        if (c.standIns > 0 && outcome.highestResult) {
            EXPECT_LT(*outcome.highestResult, -8);
        }
    }
}

TEST(TargetSolver, StopsWhenCancelled)
{
    const std::atomic<bool> cancelled{true};
    const eh::TSolveOutcome outcome = eh::SolveForTarget(
        Request(eh::test::ExampleA(), "cylinder-diameter", "10", "200", "BandwidthKHz", 500), &cancelled);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_TRUE(outcome.solutions.empty());
    EXPECT_FALSE(eh::ResultByKey("Q"));
}

} // namespace
