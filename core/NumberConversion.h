// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// Reading what the user typed into an input field.
namespace eh {

// An ASCII digit, whatever the locale says.
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A point always works as the decimal mark, whatever the regional separator
// is. (Turning points into commas instead would make every fraction, the
// default text "0.1" included, unreadable where the separator itself is a
// point.)
constexpr bool IsDecimalMark(char c, char separator) { return c == '.' || c == separator; }

// 10^n in extended precision: exact up to 10^27 (so every power up to 10^22
// is exact as a double too), infinity beyond the range, zero far below it.
long double PowerOfTen(long n);

// Converts text to an extended value with the program's number syntax:
// leading and trailing spaces, an optional sign, digits with an optional
// fraction after `separator`, an optional exponent (its reading stops once it
// reaches 500). Throws EConvertError "'<text>' is not a valid floating point
// value" for anything else, and when the value leaves the extended range.
long double TextToExtended(std::string_view text, char separator);

// Reads one field: every point of a copy of the text becomes the separator,
// the copy is converted and the value stored as a double. Throws EConvertError when the
// text is not a number and EOverflow when the number is beyond the double
// range (the field is then not reset).
double ConvertFieldText(std::string_view fieldText, char separator);

} // namespace eh
