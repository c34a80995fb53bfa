// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// A length typed in inches, made into the same length typed in millimetres.
namespace eh {

// The millimetre text of `inchText`, a text that ConvertFieldText reads with
// `separator`: its decimal digits multiplied by 254 and its point moved one
// place, so that no rounding happens before the text is read. Reading the
// result gives the double nearest to what reading that many millimetres
// typed would give: "1.968503937" becomes "49.9999999998". The result uses
// a point; a text that reads as zero is returned as it is.
std::string MillimetreTextOfInches(std::string_view inchText, char separator);

// The inch text of `millimetreText`, a number ConvertFieldText reads with
// `separator`, written with `separator`: exact where the millimetres are a
// whole number of ten-thousandths of an inch, so that the text
// MillimetreTextOfInches made comes back as it was typed ("49.9999999998"
// gives "1.968503937"); otherwise ten significant digits.
std::string InchTextOfMillimetres(std::string_view millimetreText, char separator);

} // namespace eh
