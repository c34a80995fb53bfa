// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

// The regional decimal separator the fields are read and the report numbers
// are written with.
namespace eh::cli {

// The decimal point of the process locale's LC_NUMERIC category (as the
// environment sets it: LC_ALL, LC_NUMERIC, LANG), or '.' when it cannot be
// read or is not a single ASCII character. The C library's numeric locale is
// left at "C" afterwards.
char LocaleDecimalSeparator();

// A separator given as text: exactly one printable ASCII character.
std::optional<char> SeparatorFromText(std::string_view text);

} // namespace eh::cli
