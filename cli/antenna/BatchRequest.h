// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignService.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// One line of --batch input: a JSON object whose keys are the field keys
// (frequency, cylinder-diameter, ratio, wire-diameter, pitch, turn-diameter,
// bandwidth) and "separator", every value a string.
namespace eh::cli {

struct BatchRequest {
    TFieldTexts texts; // in reading order; a missing key is the empty text
    std::string separatorText;
    std::optional<char> separator; // set when the line gives a valid one

    void Clear();
};

// Reads `line` into `request` without building a JSON document. False, with
// `error` saying why, when the line is not such an object (not JSON, not an
// object, a value that is not a string, an unknown key, a separator that is
// that cannot be a decimal separator, an empty line).
bool ParseBatchRequest(std::string_view line, BatchRequest& request, std::string& error);

} // namespace eh::cli
