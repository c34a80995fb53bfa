// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepFaults.h"

#include "Exceptions.h"

#include <fmt/format.h>

namespace eh {

std::size_t TSweepFaultTally::Add(const TFault& fault)
{
    ++total_;
    for (std::size_t k = 0; k < counts_.size(); ++k) {
        if (counts_[k].fault.kind == fault.kind && counts_[k].fault.message == fault.message) {
            ++counts_[k].count;
            return k;
        }
    }
    counts_.push_back({fault, 1});
    return counts_.size() - 1;
}

std::string FaultReason(const TFault& fault, TLanguage language)
{
    switch (fault.kind) {
    case TFaultKind::fkZeroDivide:
        return LocalText("sweep.fault.zero-divide", language);
    case TFaultKind::fkInvalidOp:
        return LocalText("sweep.fault.invalid-operation", language);
    case TFaultKind::fkOverflow:
        return LocalText("sweep.fault.overflow", language);
    default:
        return LocalText("sweep.fault.other", language);
    }
}

std::string FaultSummary(const TSweepFaultTally& faults, std::size_t points, TLanguage language)
{
    if (faults.Total() == 0)
        return {};
    std::string reasons;
    for (std::size_t k = 0; k < faults.Counts().size(); ++k) {
        if (k > 0)
            reasons += "; ";
        reasons += FaultReason(faults.Counts()[k].fault, language) + ": " + std::to_string(faults.Counts()[k].count);
    }
    return fmt::format(fmt::runtime(LocalText("sweep.faults", language)), faults.Total(), points, reasons);
}

} // namespace eh
