// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep engine: one design per point, faults counted by kind, and a
// sweep that stops when it is no longer wanted.
#include "CoreTestSupport.h"
#include "DesignSweep.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

eh::TSweepPlan FrequencyPlan(const char* from, const char* to, std::size_t points)
{
    return *eh::PlanSweepByPoints(0, from, to, points, '.', 1'000).plan;
}

TEST(DesignSweep, FaultsAreCountedByKindAndKeptPerPoint)
{
    // -1 MHz is an invalid operation, 0 MHz a division by zero.
    const eh::TDesignSweep sweep = eh::RunDesignSweep(FrequencyPlan("-1", "2", 4), eh::test::ExampleA());
    ASSERT_TRUE(sweep.Complete());
    EXPECT_EQ(sweep.counts.points, 4u);
    EXPECT_EQ(sweep.counts.faults.Total(), 2u);
    ASSERT_EQ(sweep.counts.faults.Counts().size(), 2u);
    EXPECT_EQ(sweep.counts.faults.Counts()[0].fault.kind, "EInvalidOp");
    EXPECT_EQ(sweep.faultOf[1], 1u);
    EXPECT_EQ(sweep.faultOf[2], eh::TDesignSweep::kNoFault);
    EXPECT_TRUE(sweep.results[3]);
    EXPECT_EQ(sweep.InputsAt(3).FrequencyMHz, 2);
    EXPECT_EQ(eh::FaultSummary(sweep.counts.faults, sweep.plan.points),
              "Точек с ошибкой: 2 из 4 (недопустимая операция: 1; деление на ноль: 1)");

    const eh::TDesignSweep clean = eh::RunDesignSweep(FrequencyPlan("1", "2", 3), eh::test::ExampleA());
    EXPECT_EQ(eh::FaultSummary(clean.counts.faults, clean.plan.points), "");

    const std::atomic<bool> cancelled{true};
    const eh::TDesignSweep stopped = eh::RunDesignSweep(FrequencyPlan("1", "2", 500), eh::test::ExampleA(), &cancelled);
    EXPECT_FALSE(stopped.Complete());
    EXPECT_EQ(stopped.results.size(), 1u);
}

} // namespace
