// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Numbers as a builder reads them off the screen: no more digits than a
// workbench can use, with the exact value kept for whoever asks for it.
namespace eh {

// Four significant digits, millimetres to no finer than 0.01 mm (22.6123 mm
// reads "22,61", 1234.567 mm "1235", 0.0523 mm "0,05") and inches to no
// finer than 0.001 in, without trailing zeros; the decimal mark is
// `separator`. Infinities and NaN read
// as the report writes them. `unit` is the tables' own (Russian) spelling,
// whatever language the text is shown in.
std::string WorkbenchNumber(double value, std::string_view unit, char separator);

// The shortest text that reads back as exactly `value`: neighbouring points
// of any sweep read differently.
std::string ExactNumber(double value, char separator);

// As few decimals as keep the neighbouring values of a sweep apart: one more
// than its smallest step needs (0 for fewer than two values).
int StepDecimals(const std::vector<double>& values);

// `value` with at most `decimals` decimals, trailing zeros dropped.
std::string DecimalsNumber(double value, int decimals, char separator);

} // namespace eh
