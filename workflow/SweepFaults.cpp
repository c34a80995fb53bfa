// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepFaults.h"

#include "Exceptions.h"

namespace eh {

std::size_t TSweepFaultTally::Add(const TDesignFault& fault)
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

std::string FaultReason(const TDesignFault& fault)
{
    if (fault.kind == EZeroDivide("").kind())
        return "деление на ноль";
    if (fault.kind == EInvalidOp("").kind())
        return "недопустимая операция";
    if (fault.kind == EOverflow("").kind())
        return "переполнение";
    return "ошибка";
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
