// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The units a user may type and read lengths in. The model, the saved
// record, JSON and CSV always work in millimetres; inches are a way of
// showing and typing them, one inch being 25.4 mm exactly.
namespace eh {

enum class TLengthUnit { Millimetre, Inch };

// Millimetres in an inch, in tenths: a whole number, so that a decimal text
// converts without rounding.
inline constexpr int kTenthsOfMillimetrePerInch = 254;

// The report shows inches to the thousandth ("mils"), as millimetres to the
// hundredth.
inline constexpr int kReportInchDecimals = 3;

// `millimetres` / 25.4, worked out as millimetres x 10 (exact in extended
// precision) / 254 and stored as a double.
double InchesFromMillimetres(double millimetres);

// A count per centimetre as a count per inch: perCentimetre x 254 / 100 in
// extended precision, stored as a double.
double PerInchFromPerCentimetre(double perCentimetre);
// And back: perInch x 100 / 254.
double PerCentimetreFromPerInch(double perInch);

} // namespace eh
