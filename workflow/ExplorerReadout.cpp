// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerReadout.h"

#include "DesignTables.h"
#include "ExplorerOutputs.h"
#include "Exceptions.h"
#include "WorkbenchNumber.h"

namespace eh {

std::string ExplorerReadout(const TDesignSweep& sweep, std::size_t index, const std::vector<std::size_t>& outputs,
                            TIaruRegion region, char separator, bool exact)
{
    if (index >= sweep.results.size())
        return {};
    const auto number = [&](double value, std::string_view unit) {
        return exact ? ExactNumber(value, separator) : WorkbenchNumber(value, unit, separator);
    };
    const TInputInfo& swept = InputTable()[sweep.plan.input];
    const double x = sweep.plan.Value(index);
    std::string text = std::string(swept.label) + " = " + number(x, swept.unit);
    // The band under the cursor, named here even where the chart had no
    // room for its name.
    if (swept.value == &TAntennaInputs::FrequencyMHz)
        for (const TAmateurBand& band : BandPlan(region))
            if (x >= band.LowMHz() && x <= band.HighMHz())
                text += " (" + std::to_string(band.metres) + " м)";
    const std::optional<TAntennaResults>& results = sweep.results[index];
    for (const std::size_t result : outputs) {
        const TResultInfo& info = ResultTable()[result];
        text += "   " + StandaloneName(info) + " = ";
        if (!results) {
            text += "—";
            continue;
        }
        const std::string unit = ExplorerUnit(info);
        try {
            text += number(ShownValue(info, *results), unit);
        } catch (const Exception&) {
            text += "—";
            continue;
        }
        if (!unit.empty())
            text += " " + unit;
    }
    if (!results)
        text += "   (" + FaultReason(sweep.counts.faults.Counts()[sweep.faultOf[index]].fault) + ")";
    return text;
}

} // namespace eh
