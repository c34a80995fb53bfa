// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepFaults.h"

#include "Exceptions.h"

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

std::string FaultReason(const TFault& fault)
{
    switch (fault.kind) {
    case TFaultKind::fkZeroDivide:
        return "деление на ноль";
    case TFaultKind::fkInvalidOp:
        return "недопустимая операция";
    case TFaultKind::fkOverflow:
        return "переполнение";
    default:
        return "ошибка";
    }
}

std::string FaultSummary(const TSweepFaultTally& faults, std::size_t points)
{
    if (faults.Total() == 0)
        return {};
    std::string summary =
        "Точек с ошибкой: " + std::to_string(faults.Total()) + " из " + std::to_string(points) + " (";
    for (std::size_t k = 0; k < faults.Counts().size(); ++k) {
        if (k > 0)
            summary += "; ";
        summary += FaultReason(faults.Counts()[k].fault) + ": " + std::to_string(faults.Counts()[k].count);
    }
    return summary + ")";
}

} // namespace eh
