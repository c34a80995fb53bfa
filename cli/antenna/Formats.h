// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "Report.h"

#include <cstddef>
#include <string>
#include <string_view>

// The text and JSON outputs of one design, each appended to a text buffer
// (CSV is the design service's own, DesignCsv.h).
// Every writer that shows the report makes its 38 lines with the core's
// report content. The callers hand over designs that CalculateDesign found
// free of faults, the report's own included (a value that overflows once
// scaled by 10).
namespace eh::cli {

enum class OutputFormat { Text, Json, Csv };

// The report as text: the 38 lines in UTF-8, each ending in a line feed.
void AppendReportText(std::string& out, const TAntennaInputs& inputs, const TAntennaResults& results,
                      char separator, const TReportOptions& report = {});

// --- JSON ------------------------------------------------------------------

// One design as one line of JSON (no line end):
// {"inputs":{...7...},"results":{...24...},"report":[...38...],"notice":...}
// "notice" is the pitch notice text when the pitch is smaller than the wire
// diameter, null otherwise. The report's lines and the notice are in the
// options' language and units; the inputs and results are always the
// model's numbers, in millimetres.
void AppendDesignJson(std::string& out, const TAntennaInputs& inputs, const TAntennaResults& results,
                      char separator, const TReportOptions& report = {});

// {"error":{"kind":"EZeroDivide","message":"Floating point division by zero."}}
// The message is given as the failure carries it; the failure box's trailing
// dot rule (eh::FailureText) is applied here.
void AppendErrorJson(std::string& out, std::string_view kind, const std::string& message);

// A sweep row that faulted: {"inputs":{...},"error":{"kind":...,"message":...}}
void AppendInputsErrorJson(std::string& out, const TAntennaInputs& inputs, std::string_view kind,
                           const std::string& message);

// {"field":"EC16","reset_text":"0.1"}: the first field that is not a number
// and the text the window would reset it to.
void AppendFieldErrorJson(std::string& out, std::size_t field);

// The name of a report line kind: "rlTitle", "rlHeading", "rlEmpty", "rlValue".
const char* LineKindName(int kind);

} // namespace eh::cli
