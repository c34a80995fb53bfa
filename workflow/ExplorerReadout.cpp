// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerReadout.h"

#include "DesignTables.h"
#include "ExplorerOutputs.h"
#include "Exceptions.h"
#include "ShownLengths.h"
#include "WorkbenchNumber.h"

#include <fmt/format.h>

#include <algorithm>

namespace eh {

std::vector<std::string> ExplorerReadoutParts(const TDesignSweep& sweep, std::size_t index,
                                              const std::vector<std::size_t>& outputs, TIaruRegion region,
                                              char separator, bool exact, TLanguage language, TLengthUnit lengths)
{
    if (index >= sweep.results.size())
        return {};
    std::vector<std::string> parts;
    const auto number = [&](double value, std::string_view unit) {
        return exact ? ExactNumber(value, separator) : WorkbenchNumber(value, unit, separator);
    };
    const TInputInfo& swept = InputTable()[sweep.plan.input];
    const double x = sweep.plan.Value(index);
    std::string text =
        ShownInputLabel(swept, language, lengths) + " = " + number(InShownUnit(swept, x, lengths), WorkbenchUnit(swept, lengths));
    // The band under the cursor, named here even where the chart had no
    // room for its name.
    if (swept.value == &TAntennaInputs::FrequencyMHz)
        for (const TAmateurBand& band : BandPlan(region))
            if (x >= band.LowMHz() && x <= band.HighMHz())
                text += " (" + ShownBandName(band, language) + ")";
    parts.push_back(text);
    const std::optional<TAntennaResults>& results = sweep.results[index];
    // The reason a point faulted comes second, where it stays in sight.
    if (!results)
        parts.push_back("(" + FaultReason(sweep.counts.faults.Counts()[sweep.faultOf[index]].fault, language) + ")");
    for (const std::size_t result : outputs) {
        const TResultInfo& info = ResultTable()[result];
        std::string part = ShownResultName(info, language, lengths) + " = ";
        const std::string unit = ExplorerUnit(info, language, lengths);
        try {
            part += results ? number(ShownResultValue(info, *results, lengths), WorkbenchUnit(info, lengths)) +
                                  (unit.empty() ? "" : " " + unit)
                            : "—";
        } catch (const Exception&) {
            part += "—";
        }
        parts.push_back(part);
    }
    return parts;
}

std::string JoinedReadout(const std::vector<std::string>& parts, std::size_t shown, TLanguage language)
{
    std::string text;
    const std::size_t count = std::min(shown, parts.size());
    for (std::size_t i = 0; i < count; ++i)
        text += (i ? "   " : "") + parts[i];
    if (count < parts.size())
        text += "   " + fmt::format(fmt::runtime(LocalText("explorer.readout.more", language)), parts.size() - count);
    return text;
}

} // namespace eh
