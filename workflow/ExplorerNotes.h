// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignSweep.h"
#include "Language.h"
#include "LengthUnit.h"

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

// Where the explorer is shown: beside the main window, or on the page
// under the calculator's fields.
enum class TExplorerHost { Window, Page };

// The notes on `sweep` with `outputs` (indices in ResultTable()) chosen;
// `rangeNote` is what reading the range had to say. Lengths in `lengths`;
// a field is named where `host` has it.
TExplorerNotes ExplorerNotes(const TDesignSweep& sweep, const std::vector<std::size_t>& outputs,
                             const std::string& rangeNote, char separator,
                             TLanguage language = kDefaultLanguage, TLengthUnit lengths = TLengthUnit::Millimetre,
                             TExplorerHost host = TExplorerHost::Window);

} // namespace eh
