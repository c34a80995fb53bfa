// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// Reading what the user typed into an input field.
namespace eh {

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

// The pieces of the number syntax that other readers of number texts share.
bool IsDigit(char c);
// A point always works as the decimal mark, whatever the regional separator.
bool IsDecimalMark(char c, char separator);
// 10^n in extended precision; exact up to 10^27, infinity beyond the range.
long double PowerOfTen(long n);

} // namespace eh
