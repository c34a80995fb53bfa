// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "Formats.h"
#include "SweepGrid.h"

#include <cstddef>
#include <ostream>
#include <string_view>

// --sweep NAME=START:STOP:STEP: one design per value of one field.
namespace eh::cli {

inline constexpr std::size_t kMaxSweepRows = 1'000'000;

struct SweepPlan {
    std::size_t field = 0; // index in reading order (InputTable())
    TSweepGrid grid;       // the value of row i: grid.Value(i)
    std::size_t rows = 0;
};

// Reads "NAME=START:STOP:STEP". NAME is a field key (frequency,
// cylinder-diameter, ratio, wire-diameter, pitch, turn-diameter, bandwidth);
// START, STOP and STEP are read like the fields (a point always works as the
// decimal mark, and so does `separator`). The rows run from START while
// they do not pass STOP (STOP itself is included when the steps reach it, to
// within 1e-9 of a step). Throws UsageError for a malformed text, a zero,
// non-finite or wrong-signed step, or more than kMaxSweepRows rows.
SweepPlan ParseSweep(std::string_view text, char separator);

struct SweepCounts {
    std::size_t rows = 0;
    std::size_t faults = 0;
    std::size_t notices = 0; // rows whose pitch is smaller than the wire diameter
};

// Writes the sweep: CSV (a header and one row per value) or JSON Lines (one
// object per value: the design, or {"inputs":...,"error":...} for a row that
// faulted). `base` holds the other six inputs. A faulting row carries its
// fault and the sweep goes on.
SweepCounts RunSweep(const SweepPlan& plan, const TAntennaInputs& base, char separator, OutputFormat format,
                     std::ostream& out);

} // namespace eh::cli
