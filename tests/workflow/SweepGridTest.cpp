// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep plans: counted in integers of the smallest decimal unit, their
// values are the decimals typed and their ends are where the user put them.
#include "DesignTables.h"
#include "SweepPlan.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
#include <string>

namespace {

constexpr std::size_t kBandwidth = 6; // index of the measured bandwidth in InputTable()
constexpr std::size_t kLimit = 1'000'000;

TEST(SweepPlan, ByStepCountsTheDecimalGridExactly)
{
    struct Case {
        const char* start;
        const char* stop;
        const char* step;
        char separator;
        std::size_t points;
        double second;
        double last;
    };
    const Case cases[] = {
        // 66.2202 / 0.0009 is 73578 steps exactly; in doubles it is 73577.99999998.
        {"83472.3866", "83538.6068", "0.0009", '.', 73'579, 83472.3875, 83538.6068},
        {"1.8", "30", "0.1", '.', 283, 1.9, 30},
        {"1,8", "2", "0.1", ',', 3, 1.9, 2},
        {"0.7", "0.25", "-0.15", '.', 4, 0.55, 0.25},
        {"15e-1", "2", "1e-1", '.', 6, 1.6, 2},
        {"1.5", "1.5", "1", '.', 1, 2.5, 1.5},
        {"0", "1", "0.3", '.', 4, 0.3, 0.9},            // STOP between two steps: not passed
        {"1e300", "1.3e300", "1e299", '.', 4, 1.1e300, 1.3e300}, // beyond integers: as computed
    };
    for (const Case& c : cases) {
        const eh::TSweepPlanReading reading =
            eh::PlanSweepByStep(kBandwidth, c.start, c.stop, c.step, c.separator, kLimit);
        ASSERT_TRUE(reading.plan) << c.start;
        EXPECT_EQ(reading.plan->points, c.points) << c.start;
        EXPECT_EQ(reading.plan->Value(1), c.second) << c.start;
        EXPECT_EQ(reading.plan->Value(c.points - 1), c.last) << c.start;
    }
}

TEST(SweepPlan, ByPointsEndsAtTheRangesEnd)
{
    struct Case {
        const char* from;
        const char* to;
        std::size_t points;
        double second;
        double last;
    };
    // 1.8 + 28.2 / 499 in lowest terms is 4632 / 2495.
    for (const Case& c : {Case{"1.8", "30", 500, 4632.0 / 2495, 30}, Case{"1,8", "30", 283, 1.9, 30},
                          Case{"-1", "1", 3, 0, 1}, Case{"0.1", "0,3", 2, 0.3, 0.3},
                          Case{"1e-3", "3e-3", 3, 0.002, 0.003}, Case{"1e-30", "3e-30", 2, 3e-30, 3e-30}}) {
        const eh::TSweepPlanReading reading = eh::PlanSweepByPoints(kBandwidth, c.from, c.to, c.points, ',', kLimit);
        ASSERT_TRUE(reading.plan) << c.from;
        EXPECT_EQ(reading.plan->points, c.points) << c.from;
        EXPECT_EQ(reading.plan->Value(1), c.second) << c.from;
        EXPECT_EQ(reading.plan->Value(c.points - 1), c.last) << c.from;
    }
}

TEST(SweepPlan, HostileRangesAreRefused)
{
    using enum eh::TSweepPlanFault;
    struct Case {
        const char* start;
        const char* stop;
        const char* step;
        eh::TSweepPlanFault fault;
    };
    for (const Case& c : {Case{"x", "1", "1", FirstNotANumber}, Case{"1e999", "1", "1", FirstBeyondRange},
                          Case{"0", "", "1", LastNotANumber}, Case{"0", "1", "nan", StepNotANumber},
                          Case{"0", "1", "0", ZeroStep}, Case{"0", "1", "-0.1", StepMustBePositive},
                          Case{"1", "0", "0.1", StepMustBeNegative},
                          Case{"-1.7e308", "1.7e308", "1e308", RangeTooWide},
                          Case{"0", "1", "1e-6", TooManyPoints}, Case{"0", "1e300", "1e-300", TooManyPoints},
                          // Steps finer than the doubles there: values would repeat and overshoot.
                          Case{"9007199254740993", "9007199254740995", "1", StepBelowResolution},
                          Case{"1", "1.0000000000000004", "1e-16", StepBelowResolution},
                          // Within 1e-9 of a step of STOP, beyond integers: the step taken overflows.
                          Case{"1e308", "1.79769313486231e308", "7.9769313486232e307", ValueBeyondRange}}) {
        const eh::TSweepPlanReading reading = eh::PlanSweepByStep(kBandwidth, c.start, c.stop, c.step, '.', kLimit);
        EXPECT_FALSE(reading.plan) << c.start << ":" << c.stop << ":" << c.step;
        EXPECT_EQ(reading.fault, c.fault) << c.start << ":" << c.stop << ":" << c.step;
    }
    struct PointsCase {
        const char* from;
        const char* to;
        std::size_t points;
        eh::TSweepPlanFault fault;
    };
    for (const PointsCase& c :
         {PointsCase{"2", "1", 10, EmptyRange}, PointsCase{"1", "1", 10, EmptyRange},
          PointsCase{"-1e308", "1e308", 10, RangeTooWide}, PointsCase{"0", "1", 1, TooFewPoints},
          PointsCase{"0", "1", std::numeric_limits<std::size_t>::max(), TooManyPoints}}) {
        const eh::TSweepPlanReading reading = eh::PlanSweepByPoints(kBandwidth, c.from, c.to, c.points, '.', kLimit);
        EXPECT_FALSE(reading.plan) << c.from << ":" << c.to;
        EXPECT_EQ(reading.fault, c.fault) << c.from << ":" << c.to;
    }
}

} // namespace
