// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "DesignTables.h" // ResultByKey
#include "SweepPlan.h"

#include <atomic>
#include <cstddef>
#include <optional>
#include <vector>

// Every value of one input, within a range, at which one result equals a
// target: the result is computed on a fine grid, each change of sign of
// (result - target) between neighbouring points is bisected down to
// neighbouring doubles (or a relative error of at most 1e-12), and a point
// whose design faults, or where the model has no figure for the result (see
// HasFigure), splits the range, since nothing is known across it. A result
// that takes one value at every point is constant: not solved for.
namespace eh {

// The grid a solve scans when the caller has no finer one: fine enough that
// the model's smooth results change sign at most once between neighbours.
inline constexpr std::size_t kSolveGridPoints = 20'001;

struct TSolveRequest {
    TSweepPlan plan;      // the input to vary and the grid to scan
    TAntennaInputs base;  // the other six inputs
    std::size_t result = 0; // index in ResultTable()
    double target = 0;
};

struct TSolveOutcome {
    // Ascending; each one put back into the design gives the target.
    std::vector<double> solutions;
    // The result's smallest and largest value over the grid's points that
    // did not fault; empty when every point faulted.
    std::optional<double> lowestResult;
    std::optional<double> highestResult;
    std::size_t faultedPoints = 0;
    // Points where the model wrote a stand-in for the result, not a figure.
    std::size_t standInPoints = 0;
    // The result took one value at every point computed, at least two: it
    // does not depend on the input there, and `solutions` stays empty.
    bool constant = false;
    // Changes of sign where the result jumps across the target instead of
    // reaching it (not solutions).
    std::size_t jumps = 0;
    bool cancelled = false;
};

TSolveOutcome SolveForTarget(const TSolveRequest& request, const std::atomic<bool>* cancelled = nullptr);

} // namespace eh
