// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignService.h"
#include "SweepFaults.h"
#include "SweepPlan.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The one sweep engine of the program: one design per value of the plan,
// through the design service, with the faults counted. The command-line
// tool streams the designs as they come; the explorer keeps them.
namespace eh {

struct TSweepCounts {
    std::size_t points = 0;  // designs computed
    std::size_t notices = 0; // points whose pitch is smaller than the wire diameter
    TSweepFaultTally faults;
};

// One point as the engine hands it over.
struct TSweepPoint {
    std::size_t index = 0;
    const TDesign& design;
    std::optional<std::size_t> fault; // the fault's index in TSweepCounts::faults.Counts()
};

// Calls `visit(point)` for each point in order; `visit` returns false to
// stop early (an output that failed, a request no longer wanted).
template <class Visit>
TSweepCounts VisitDesignSweep(const TSweepPlan& plan, const TAntennaInputs& base, Visit&& visit)
{
    TSweepCounts counts;
    for (std::size_t i = 0; i < plan.points; ++i) {
        const TDesign design = CalculateDesign(plan.InputsAt(base, i));
        ++counts.points;
        if (design.pitchNotice)
            ++counts.notices;
        std::optional<std::size_t> fault;
        if (design.fault)
            fault = counts.faults.Add(*design.fault);
        if (!visit(TSweepPoint{i, design, fault}))
            break;
    }
    return counts;
}

// A sweep kept whole, for a front end that draws and exports it.
struct TDesignSweep {
    TSweepPlan plan;
    TAntennaInputs base;
    std::vector<std::optional<TAntennaResults>> results; // one per point; empty where it faulted
    std::vector<std::uint32_t> faultOf;                  // per point: index in counts.faults.Counts(), or kNoFault
    TSweepCounts counts;

    static constexpr std::uint32_t kNoFault = 0xFFFFFFFF;

    TAntennaInputs InputsAt(std::size_t index) const { return plan.InputsAt(base, index); }
    // False when the sweep was cancelled before its last point.
    bool Complete() const { return results.size() == plan.points; }
};

// Runs the whole plan; stops early, leaving the sweep incomplete, once
// `cancelled` (when given) turns true.
TDesignSweep RunDesignSweep(const TSweepPlan& plan, const TAntennaInputs& base,
                            const std::atomic<bool>* cancelled = nullptr);

// The sweep as `eh-antenna-cli --sweep ... --format csv` writes it: a header
// and one row per point, a faulted point with its fault.
std::string DesignSweepCsv(const TDesignSweep& sweep);

} // namespace eh
