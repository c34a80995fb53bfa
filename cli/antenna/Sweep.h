// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "DesignSweep.h"
#include "Formats.h"
#include "SweepPlan.h"

#include <cstddef>
#include <ostream>
#include <string_view>

// --sweep NAME=START:STOP:STEP: one design per value of one field.
namespace eh::cli {

inline constexpr std::size_t kMaxSweepRows = 1'000'000;

// Reads "NAME=START:STOP:STEP". NAME is a field key (frequency,
// cylinder-diameter, ratio, wire-diameter, pitch, turn-diameter, bandwidth);
// START, STOP and STEP are read like the fields (a point always works as the
// decimal mark, and so does `separator`). The rows run from START while
// they do not pass STOP, counted in the smallest decimal unit of the three
// texts (STOP itself is included when the steps reach it). Throws
// UsageError for a malformed text, a zero or wrong-signed step, or more
// than kMaxSweepRows rows.
TSweepPlan ParseSweep(std::string_view text, char separator);

// Writes the sweep: CSV (a header and one row per value) or JSON Lines (one
// object per value: the design, or {"inputs":...,"error":...} for a row that
// faulted). `base` holds the other six inputs. A faulting row carries its
// fault and the sweep goes on; it stops when the output fails. The values
// swept are the model's (millimetres); `report` is the JSON report's
// language and units.
TSweepCounts WriteSweep(const TSweepPlan& plan, const TAntennaInputs& base, char separator, OutputFormat format,
                        std::ostream& out, const TReportOptions& report = {});

} // namespace eh::cli
