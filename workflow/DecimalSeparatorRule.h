// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

// What may serve as the decimal separator the fields are read and the report
// numbers are written with, wherever it comes from (the region, an option or
// a browser's language), and which one the region's choice gives.
namespace eh {

// What a decimal separator may be, in words for messages.
inline constexpr const char* kDecimalSeparatorRule =
    "one printable ASCII character other than a digit, +, -, e, E or a space";

// `text` as a decimal separator: one ASCII character that cannot be taken for
// part of a number (a digit, a sign, an exponent letter) and is neither a
// space nor a control character. Nothing otherwise.
std::optional<char> DecimalSeparatorFromText(std::string_view text);

// The separator for the region's decimal mark (UTF-8, as the system names
// it): the mark itself, or a point when the mark cannot be a separator (a
// character beyond ASCII, for one).
char RegionalDecimalSeparator(std::string_view regionsMark);

} // namespace eh
