// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace eh {

// The two-decimal text of a report value ("%.2f" with `separator`): rounded
// half away from zero on the value's 18-significant-digit decimal form, never
// "-0,00", and in exponent form ("1,5E20") from 10^18 up.
std::string FormatReportNumber(double value, char separator);

// The most bytes FormatReportNumber's text takes.
inline constexpr std::size_t kReportNumberMaxBytes = 32;

// The same text written at `out`, which has room for kReportNumberMaxBytes;
// returns the end of what was written.
char* WriteReportNumber(char* out, double value, char separator);

} // namespace eh
