// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Formats.h"
#include "SweepPlan.h"
#include "TargetSolver.h"

#include <cstddef>
#include <string>
#include <string_view>

// --solve INPUT=FROM:TO --target RESULT=VALUE: every value of one input in
// a range at which one result equals a target.
namespace eh::cli {

struct TSolveCommand {
    TSweepPlan plan;        // the input and the grid the solver scans
    std::size_t result = 0; // index in ResultTable()
    double target = 0;
};

// Reads the two option texts: INPUT a field key, FROM below TO, RESULT a
// results key of the JSON output, VALUE read like the fields. Throws
// UsageError.
TSolveCommand ParseSolve(std::string_view solve, std::string_view target, char separator);

// The solutions: text one a line, json {"input":...,"result":...,
// "target":...,"solutions":[...]}, csv a header (the input's key) and one a
// line; numbers in shortest round-trip form with a point, so that a solution
// can be typed back as it is.
void AppendSolutions(std::string& out, const TSolveCommand& command, const TSolveOutcome& outcome,
                     OutputFormat format);

// Why no solution is listed: the result's range over the scanned points,
// that it is constant there, or that every point faulted.
std::string NoSolutionMessage(const TSolveCommand& command, const TSolveOutcome& outcome);

} // namespace eh::cli
