// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExplorerModel.h"

#include <optional>
#include <string>
#include <vector>

// The words of a build sheet, for the window's printed sheet and the page's
// alike: each surface lays them out, the date beside the title, the report
// and the drawing beside the inputs, the chart above the band and the link.
namespace eh {

struct TBuildSheetText {
    std::string title;
    std::vector<std::string> inputs; // the seven inputs, one "label: value" each, in the fields' unit
    std::string band;                // the typed frequency's band and its edges
    std::string linkLabel;           // the words before the link
    std::string link;                // the design's link parameters
};

// The sheet of the design typed in the model's fields, in its language, with
// its decimal mark and its fields' unit of length; nothing while a field is
// not a number.
std::optional<TBuildSheetText> BuildSheetText(const ExplorerModel& model);

} // namespace eh
