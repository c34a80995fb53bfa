// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignSweep.h"
#include "Language.h"

#include <cstddef>
#include <string>
#include <vector>

// What the explorer says under its chart: what the range row capped, which
// points faulted and why, and what the model cannot tell.
namespace eh {

struct TExplorerNotes {
    std::vector<std::string> lines;
    // A fault or a limit of the model: shown as a warning.
    bool warning = false;

    std::string Joined() const; // "… . …"
};

// The notes on `sweep` with `outputs` (indices in ResultTable()) chosen;
// `rangeNote` is what reading the range had to say.
TExplorerNotes ExplorerNotes(const TDesignSweep& sweep, const std::vector<std::size_t>& outputs,
                             const std::string& rangeNote, char separator,
                             TLanguage language = kDefaultLanguage);

} // namespace eh
