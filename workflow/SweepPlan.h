// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "SweepGrid.h"

#include <cstddef>
#include <optional>
#include <string_view>

// What a sweep will compute: which input varies and over which values. The
// other six inputs come from the design the sweep starts from.
namespace eh {

struct TSweepPlan {
    std::size_t input = 0; // index in InputTable()
    TSweepGrid grid;
    std::size_t points = 0; // at least 1

    double Value(std::size_t index) const { return grid.Value(index); }
    // `base` with the swept input set to the value of point `index`.
    TAntennaInputs InputsAt(const TAntennaInputs& base, std::size_t index) const;
};

// Why the texts of a range make no plan. The first text that fails names
// the fault; front ends word it in their own language.
enum class TSweepPlanFault {
    FirstNotANumber,    // START or FROM
    FirstBeyondRange,   // beyond the double range
    LastNotANumber,     // STOP or TO
    LastBeyondRange,
    StepNotANumber,
    StepBeyondRange,
    ZeroStep,
    StepMustBePositive, // STOP lies above START
    StepMustBeNegative, // STOP lies below START
    RangeTooWide,       // STOP - START is beyond the double range
    StepBelowResolution, // STEP is finer than the doubles around START and STOP
    EmptyRange,         // FROM is not below TO
    TooFewPoints,       // fewer than 2 points between FROM and TO
    TooManyPoints,      // more than the caller's limit
    ValueBeyondRange,   // the last value is beyond the double range
};

struct TSweepPlanReading {
    std::optional<TSweepPlan> plan;
    TSweepPlanFault fault{}; // when there is no plan
};

// START, START + STEP, ... while not past STOP (STOP itself when the steps
// reach it: counted in integers of the smallest decimal unit of the three
// texts), at most `maxPoints`. The texts are read as the fields are read.
TSweepPlanReading PlanSweepByStep(std::size_t input, std::string_view startText, std::string_view stopText,
                                  std::string_view stepText, char separator, std::size_t maxPoints);

// `points` values evenly spaced from FROM to TO, both included; FROM must be
// below TO and `points` between 2 and `maxPoints`.
TSweepPlanReading PlanSweepByPoints(std::size_t input, std::string_view fromText, std::string_view toText,
                                    std::size_t points, char separator, std::size_t maxPoints);

} // namespace eh
