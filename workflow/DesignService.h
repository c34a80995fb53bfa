// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"
#include "DesignTables.h"
#include "Exceptions.h"
#include "InputText.h"
#include "Language.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

// One design from the seven field texts to the results, the same for the
// window and for every output of the command-line tool.
namespace eh {

inline constexpr const char* kPitchNotice = RussianText("notice.pitch");

using TFieldTexts = std::array<std::string, kInputCount>; // UTF-8, reading order

struct TFieldReading {
    TAntennaInputs inputs;               // the fields read so far
    std::optional<std::size_t> badField; // the first field that is not a number (reset text: InputTable()[i].resetText)
};

// Reads the texts exactly as the window reads its fields (a point always
// works as the decimal mark, the separator is the regional one), the lengths
// in the options' unit. Stops at the first text that is not a number. A
// number beyond the double range throws EOverflow, as the window's reading
// does.
TFieldReading ReadFieldTexts(const TFieldTexts& texts, char separator, const TFieldTextOptions& options = {});

struct TDesign {
    TAntennaInputs inputs;
    std::optional<TAntennaResults> results; // empty when the design faults
    std::optional<TFault> fault; // fkZeroDivide, fkInvalidOp or fkOverflow
    bool pitchNotice = false; // the pitch is smaller than the wire diameter
    // When the model ran but a value overflows once scaled for the report:
    // the model's results, so that a front end which shows the report line by
    // line can show the lines before the faulting one (the window does).
    std::optional<TAntennaResults> resultsBeforeReportFault;
};

// True when the pitch is smaller than the wire diameter: the coil cannot be
// wound that way, but the design is still worth showing.
bool PitchNeedsNotice(const TAntennaInputs& inputs);

// Runs the model; never throws the model's faults, it returns them. The fault
// is also the one the report would meet when it writes its lines (a value
// that overflows once scaled), so every front end faults alike.
TDesign CalculateDesign(const TAntennaInputs& inputs);

} // namespace eh
