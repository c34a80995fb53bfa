// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BandPlans.h"
#include "DesignSweep.h"

#include <cstddef>
#include <string>
#include <vector>

namespace eh {

// The line under the chart for the point under the cursor: the swept value
// (with the band that holds it), then each chosen output, or the reason the
// point faulted. Workbench numbers, or every digit when `exact`.
std::string ExplorerReadout(const TDesignSweep& sweep, std::size_t index, const std::vector<std::size_t>& outputs,
                            TIaruRegion region, char separator, bool exact);

} // namespace eh
