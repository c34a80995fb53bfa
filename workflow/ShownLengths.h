// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "DesignTables.h"
#include "Language.h"
#include "LengthUnit.h"
#include "SweepPlan.h"

#include <string>
#include <string_view>
#include <vector>

// The lengths the explorer shows, in the unit the fields are typed in: the
// model and its sweeps work in millimetres, and only what is shown (labels,
// numbers, axes) and what is typed back (ranges, targets) is in inches.
namespace eh {

// "Шаг намотки (мм)", or with inches "Pitch (in)".
std::string ShownInputLabel(const TInputInfo& input, TLanguage language, TLengthUnit lengths);
// StandaloneName, a count per centimetre named per inch in inches, as the
// report names it.
std::string ShownResultName(const TResultInfo& result, TLanguage language, TLengthUnit lengths);

// A value of the input, or of the result as ShownValue gives it, in the
// shown unit: inches for a length in inches (a count per inch for one per
// centimetre), as it is otherwise.
double InShownUnit(const TInputInfo& input, double value, TLengthUnit lengths);
double InShownUnit(const TResultInfo& result, double value, TLengthUnit lengths);
double ShownResultValue(const TResultInfo& result, const TAntennaResults& results, TLengthUnit lengths);

// A result's value typed in the shown unit, in the unit ShownValue gives:
// a count per inch as one per centimetre (a length's text is converted
// exactly before, MillimetreTextOf).
double FromShownCount(const TResultInfo& result, double value, TLengthUnit lengths);

// The swept input's values, in the shown unit.
std::vector<double> ShownSweptValues(const TSweepPlan& plan, TLengthUnit lengths);

// The unit WorkbenchNumber rounds a value of the input or result for, in
// the tables' Russian spelling ("мм", "дюйм").
std::string_view WorkbenchUnit(const TInputInfo& input, TLengthUnit lengths);
std::string_view WorkbenchUnit(const TResultInfo& result, TLengthUnit lengths);

// A length given in millimetres as the report writes it in `lengths`:
// millimetres to the hundredth, inches to the thousandth.
std::string ShownLengthText(double millimetres, char separator, TLengthUnit lengths);
// What a wire gauge typed into the wire's field stands for, in `lengths`:
// "= 1.628 mm" (a gauge's diameter to the micrometre), "= 0.064 in".
std::string WireGaugeDiameterText(int gauge, char separator, TLanguage language, TLengthUnit lengths);
// An input's value as the report writes it, a length in `lengths`.
std::string ShownInputText(const TInputInfo& input, double value, char separator, TLengthUnit lengths);

// A text typed for the input (or a length result) in the shown unit, as
// the same value typed in millimetres: an inch length converted exactly
// (MillimetreTextOfInches, with a point), any other text as it is. A text
// that is not a number stays as it is, to fail with its own words.
std::string MillimetreTextOf(bool isLength, const std::string& text, char separator, TLengthUnit lengths);

} // namespace eh
