// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExplorerSweep.h"

#include <string>

namespace eh {

// The sweep as `eh-antenna-cli --sweep ... --format csv` writes it: a header,
// then one row per point with the 7 inputs, the 24 results (empty where the
// point faulted), the pitch notice and the fault's kind and message.
std::string SweepCsv(const TSweep& sweep);

} // namespace eh
