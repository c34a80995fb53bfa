// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace eh {

// The two-decimal text of a report value ("%.2f" with `separator`): rounded
// half away from zero on the value's 18-significant-digit decimal form, never
// "-0,00", and in exponent form ("1,5E20") from 10^18 up. A length in inches
// has kMaxReportDecimals.
inline constexpr int kMaxReportDecimals = 3;
std::string FormatReportNumber(double value, char separator, int decimals = 2);

// The most bytes FormatReportNumber's text takes.
inline constexpr std::size_t kReportNumberMaxBytes = 32;

// The same text written at `out`, which has room for kReportNumberMaxBytes;
// returns the end of what was written.
char* WriteReportNumber(char* out, double value, char separator, int decimals = 2);

// The most bytes WriteShortestNumber's text takes.
inline constexpr std::size_t kShortestNumberMaxBytes = 32;

// Writes at `out` the shortest text that reads back as exactly `value`, with
// a point as decimal mark: the plain or the exponent form ("1e+300",
// "5e-324"), whichever is shorter, the plain one when both are as long (a
// whole number with every digit of its exact value); "inf" or "nan", signed,
// for a value that is not finite. Returns the end of what was written.
char* WriteShortestNumber(char* out, double value);

} // namespace eh
