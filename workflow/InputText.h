// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignTables.h"
#include "LengthUnit.h"

#include <string_view>

// How one field's text becomes its value: a number, for a length in the
// chosen unit, and for the wire diameter perhaps a gauge.
namespace eh {

struct TFieldTextOptions {
    TLengthUnit lengths = TLengthUnit::Millimetre; // the unit the four lengths are typed in
    bool wireGauges = false;                        // the wire diameter may be a gauge ("14 AWG")
};

// The input's value, in the model's units: a length typed in inches is
// converted exactly (MillimetreTextOfInches); a gauge gives its diameter
// whatever the unit. Throws as ConvertFieldText does.
double ReadInputText(const TInputInfo& input, std::string_view text, char separator,
                     const TFieldTextOptions& options);

// Whether the input takes a wire gauge.
bool TakesWireGauge(const TInputInfo& input);

// How the page reads its fields in `language` with lengths in `lengths`:
// in that unit and, away from the window's own Russian millimetres, with a
// wire gauge ("14 AWG") in the wire diameter's field.
TFieldTextOptions PageFieldReading(TLanguage language, TLengthUnit lengths);

} // namespace eh
