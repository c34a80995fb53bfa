// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerOutputs.h"

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
