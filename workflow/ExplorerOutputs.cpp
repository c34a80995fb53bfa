// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerOutputs.h"

#include "ShownLengths.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace eh {

std::string ExplorerUnit(const TResultInfo& info, TLanguage language, TLengthUnit lengths)
{
    if (lengths == TLengthUnit::Inch && IsLength(info))
        return LocalText("unit.inch", language);
    const std::string_view key = info.unitKey;
    if (key.empty())
        return {};
    // The report's Russian spells these three its own way.
    for (const std::string_view own : {"unit.kilohertz", "unit.picofarad", "unit.microhenry"})
        if (key == own)
            return LocalText("explorer." + std::string(key), language);
    return LocalText(key, language);
}

std::string ExplorerCaption(const TResultInfo& info, TLanguage language, TLengthUnit lengths)
{
    const std::string unit = ExplorerUnit(info, language, lengths);
    const std::string name = ShownResultName(info, language, lengths);
    return unit.empty() ? name : name + ", " + unit;
}

std::vector<std::vector<std::size_t>> ExplorerCharts(const std::vector<std::size_t>& outputs)
{
    std::vector<std::string> units;
    for (const std::size_t output : outputs)
        if (const std::string unit = ExplorerUnit(ResultTable()[output]);
            std::find(units.begin(), units.end(), unit) == units.end())
            units.push_back(unit);
    std::vector<std::vector<std::size_t>> charts((units.size() + kUnitsPerChart - 1) / kUnitsPerChart);
    for (const std::size_t output : outputs) {
        const auto unit = std::find(units.begin(), units.end(), ExplorerUnit(ResultTable()[output]));
        charts[static_cast<std::size_t>(unit - units.begin()) / kUnitsPerChart].push_back(output);
    }
    return charts;
}

std::vector<std::size_t> DefaultExplorerOutputs()
{
    return {*ResultByKey("BandwidthKHz"), *ResultByKey("EfficiencyPct"), *ResultByKey("TurnCount")};
}

bool IsBandwidthDerived(const TResultInfo& info)
{
    for (const char* member : {"RrOhm", "RrDeviationPct", "EfficiencyPct", "LossDb"})
        if (std::strcmp(member, info.member) == 0)
            return true;
    return false;
}

} // namespace eh
