// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignSweep.h"

#include "DesignCsv.h"

namespace eh {

TDesignSweep RunDesignSweep(const TSweepPlan& plan, const TAntennaInputs& base, const std::atomic<bool>* cancelled)
{
    TDesignSweep sweep;
    sweep.plan = plan;
    sweep.base = base;
    sweep.results.reserve(plan.points);
    sweep.faultOf.reserve(plan.points);
    sweep.counts = VisitDesignSweep(plan, base, [&](const TSweepPoint& point) {
        sweep.results.push_back(point.design.results);
        sweep.faultOf.push_back(point.fault ? static_cast<std::uint32_t>(*point.fault) : TDesignSweep::kNoFault);
        return !(cancelled && cancelled->load(std::memory_order_relaxed));
    });
    return sweep;
}

std::string DesignSweepCsv(const TDesignSweep& sweep)
{
    std::string out;
    AppendCsvHeader(out);
    for (std::size_t i = 0; i < sweep.results.size(); ++i) {
        if (sweep.faultOf[i] != TDesignSweep::kNoFault)
            AppendCsvFaultRow(out, sweep.InputsAt(i), sweep.counts.faults.Counts()[sweep.faultOf[i]].fault);
        else
            AppendCsvRow(out, sweep.InputsAt(i), *sweep.results[i]);
    }
    return out;
}

} // namespace eh
