// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignSweep.h"
#include "ExplorerChart.h"

#include <memory>
#include <vector>

namespace eh {

class ExplorerModel;

// What the chart draws of `typed`'s sweep and the pinned designs' over the
// same plan: the model's outputs in the units the explorer shows, the bands
// of its region on a frequency axis, the typed value, the measurement, and
// the answers that hold for the design shown.
TChartData ExplorerChartData(const TDesignSweep& typed, const std::vector<std::shared_ptr<const TDesignSweep>>& pinned,
                             const ExplorerModel& model);

} // namespace eh
