// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "DesignService.h"
#include "FieldReading.h"
#include "InputText.h"
#include "Report.h"
#include "ReportPane.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace eh {

// The seven input fields in the reading order of InputTable().
using TInputFields = std::array<IInputField*, kInputCount>;

// How the window reads its fields and writes its report: the lengths' unit,
// whether the wire diameter may be a gauge, the report's language and unit.
struct TCalculateOptions {
    TFieldTextOptions fields;
    TReportOptions report;
};

// Reads the seven fields' texts as the design service reads them. At the
// first text that is not a number that field is reset to its reset text and
// focused, and nothing is returned; the later fields are left alone.
std::optional<TAntennaInputs> ReadInputFields(const TInputFields& fields, char separator,
                                              const TFieldTextOptions& options = {});

// Renders one report line at the end of the pane and applies its runs.
void RenderReportLine(IReportPane& pane, const TReportLine& line);

// The calculate command: clears the pane, reads the fields, shows the pitch
// notice through `showNotice` when due (and goes on), calculates, and renders
// the 38 report lines one by one. Faults pass to the caller; the lines
// rendered before a fault stay in the pane. The fields are read and the
// report and notice written as the options say (Russian millimetres unless
// told otherwise).
void RunCalculateCommand(const TInputFields& fields, IReportPane& pane, char separator,
                         const std::function<void(const std::string&)>& showNotice,
                         const TCalculateOptions& options = {});

} // namespace eh
