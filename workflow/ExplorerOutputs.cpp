// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerOutputs.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace eh {

std::string ExplorerUnit(const TResultInfo& info)
{
    const std::string_view unit = info.unit;
    if (unit == "Кгц")
        return "кГц";
    if (unit == "Пф")
        return "пФ";
    if (unit == "микрогенри")
        return "мкГн";
    return std::string(unit);
}

std::string ExplorerCaption(const TResultInfo& info)
{
    const std::string unit = ExplorerUnit(info);
    return unit.empty() ? StandaloneName(info) : StandaloneName(info) + ", " + unit;
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
