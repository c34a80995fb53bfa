// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "DesignService.h"
#include "FieldReading.h"
#include "Report.h"
#include "ReportPane.h"

#include <array>
#include <functional>
#include <string>

namespace eh {

// The seven input fields in reading order: EC15, EC16, EC17, EC33, EC34,
// EC36, EC27.
using TInputFields = std::array<IInputField*, 7>;

// Reads the seven fields into `inputs` in order; false at the first field that
// is not a number (that field has been reset and focused, later ones are not
// read).
bool ReadInputFields(const TInputFields& fields, TAntennaInputs& inputs, char separator);

// Renders one report line at the end of the pane and applies its runs.
void RenderReportLine(IReportPane& pane, const TReportLine& line);

// The calculate command: clears the pane, reads the fields, shows the pitch
// notice through `showNotice` when due (and goes on), calculates, and renders
// the 38 report lines one by one. Faults pass to the caller; the lines
// rendered before a fault stay in the pane.
void RunCalculateCommand(const TInputFields& fields, IReportPane& pane, char separator,
                         const std::function<void(const std::string&)>& showNotice,
                         TAntennaInputs& inputs, TAntennaResults& results);

} // namespace eh
