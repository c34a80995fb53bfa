// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BandPlans.h"
#include "DesignSweep.h"
#include "Language.h"
#include "LengthUnit.h"

#include <cstddef>
#include <string>
#include <vector>

namespace eh {

// The line under the chart for the point under the cursor, in parts: the
// swept value (with the band that holds it), the reason if the point
// faulted, then each chosen output. Workbench numbers, or every digit when
// `exact`; lengths in `lengths`.
std::vector<std::string> ExplorerReadoutParts(const TDesignSweep& sweep, std::size_t index,
                                              const std::vector<std::size_t>& outputs, TIaruRegion region,
                                              char separator, bool exact,
                                              TLanguage language = kDefaultLanguage,
                                              TLengthUnit lengths = TLengthUnit::Millimetre);
// The first `shown` parts as the readout writes them, then how many more
// there are: a readout of fixed height shows what fits and says so.
std::string JoinedReadout(const std::vector<std::string>& parts, std::size_t shown,
                          TLanguage language = kDefaultLanguage);

} // namespace eh
