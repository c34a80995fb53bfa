// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AntennaModel.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The seven input fields of the main window as the command-line tool names
// them, in the window's reading order (EC15, EC16, EC17, EC33, EC34, EC36,
// EC27), and reading their texts exactly as the window does.
namespace eh::cli {

inline constexpr std::size_t kFieldCount = 7;
inline constexpr std::size_t kBandwidthField = 6; // EC27, the optional one

struct FieldInfo {
    const char* key;       // batch key and sweep name: "frequency", ...
    const char* component; // the window's component name: "EC15", ...
    const char* argument;  // the positional argument's name: "FREQUENCY", ...
    const char* words;     // what it is, in English words
    const char* label;     // the window's label, without the "=" and spaces
    double TAntennaInputs::*input;
};

// The fields in reading order.
const std::array<FieldInfo, kFieldCount>& Fields();

// The index of the field whose key is `key`, if any.
std::optional<std::size_t> FieldByKey(std::string_view key);

// The seven texts of one calculation in reading order; a missing text is the
// empty text.
using FieldTexts = std::array<std::string_view, kFieldCount>;

// Reads the seven texts into `inputs` in reading order with the window's
// reading (a point always works as the decimal mark, and so does `separator`).
// Returns the index of the first text that is not a number, or nothing when
// all seven were read. A number beyond the double range throws EOverflow,
// as the window's reading does.
std::optional<std::size_t> ReadFieldTexts(const FieldTexts& texts, char separator, TAntennaInputs& inputs);

// "frequency (EC15)"-style name of a field for messages.
std::string FieldDisplayName(std::size_t field);

} // namespace eh::cli
