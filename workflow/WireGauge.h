// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// American Wire Gauge, as a wire diameter may be typed: "14 AWG", "AWG14",
// "#14"; the thick gauges as "0000" to "0" or "4/0" to "1/0".
namespace eh {

// The thickest and the thinnest gauge read; 0000 is -3, 000 -2, 00 -1.
inline constexpr int kThickestWireGauge = -3;
inline constexpr int kThinnestWireGauge = 40;

// The gauge a text names, spaces around and between its parts and the case
// of "AWG" aside; none when the text names no gauge of 0000 to 40.
std::optional<int> ReadWireGauge(std::string_view text);

// Whether a text is written as a gauge ("#", "AWG"), whatever its number:
// the word a message about it should use.
bool LooksLikeWireGauge(std::string_view text);

// The diameter in millimetres: 0.127 x 92^((36 - gauge) / 39), in extended
// precision, stored as a double.
double WireGaugeDiameterMm(int gauge);

// The gauge as it is written: "14", and "0" to "0000" for 0 to -3.
std::string WireGaugeName(int gauge);

} // namespace eh
