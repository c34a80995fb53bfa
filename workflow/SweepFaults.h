// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignService.h"

#include <cstddef>
#include <string>
#include <vector>

// The points of a sweep whose design faulted, counted by their fault.
namespace eh {

struct TSweepFaultCount {
    TFault fault;
    std::size_t count = 0;
};

class TSweepFaultTally {
public:
    // Counts one more point with `fault`; returns the fault's index in
    // Counts().
    std::size_t Add(const TFault& fault);

    const std::vector<TSweepFaultCount>& Counts() const { return counts_; }
    std::size_t Total() const { return total_; }

private:
    std::vector<TSweepFaultCount> counts_; // in the order first met
    std::size_t total_ = 0;
};

// The reason of a fault as a ham reads it: "деление на ноль".
std::string FaultReason(const TFault& fault, TLanguage language = kDefaultLanguage);

// The faults in one line, empty when there are none:
// "Точек с ошибкой: 3 из 500 (деление на ноль: 2; переполнение: 1)".
std::string FaultSummary(const TSweepFaultTally& faults, std::size_t points,
                         TLanguage language = kDefaultLanguage);

} // namespace eh
