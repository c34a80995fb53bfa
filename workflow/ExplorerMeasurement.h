// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Language.h"
#include "ResonanceAnalysis.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A measured sweep over the explorer's frequency chart: where the built
// antenna resonates and how wide its measured bands are, beside the curves
// the model draws for the typed design. The window and the page draw these
// marks as they are; which to draw and what they say is decided here.
namespace eh {

// A measurement the explorer was given: the file's name and its analysis.
struct TShownMeasurement {
    std::string name;
    TResonanceAnalysis analysis;
};

// A stretch of the frequency axis, in megahertz.
struct TMarkedSpan {
    double lowMHz = 0;
    double highMHz = 0;
};

// The measured 3 dB bandwidth as a point over the model's bandwidth curve:
// at the measured resonance, in the curve's own unit.
struct TMeasuredBandwidthPoint {
    std::size_t output = 0; // the curve: a position in the chosen outputs
    double frequencyMHz = 0;
    double bandwidthKHz = 0;
};

// What the chart draws, each only where it overlaps the chart's range.
struct TMeasurementMarks {
    std::optional<double> resonanceMHz;         // a line across the plot
    std::string resonanceLabel;                 // beside that line: "f₀ изм."
    std::optional<TMarkedSpan> band;            // f0 ± BW/2 shaded: the measured 3 dB bandwidth
    std::optional<TMarkedSpan> swr2Span;        // a bar along the plot's foot
    std::string swr2Label;                      // under that bar: "КСВ ≤ 2"
    std::optional<TMeasuredBandwidthPoint> point;
    // The legend's entry: the file, the resonance, the bandwidth and the
    // 2:1 span in numbers, and why a mark is missing.
    std::string legend;
};

// The glyph of the measured bandwidth's point, in the legend as on the
// chart.
inline constexpr const char* kMeasuredPointGlyph = "◆";

// The marks of `measurement` over a frequency chart from `lowMHz` to
// `highMHz` that shows `outputs` (indices in ResultTable(), in chart order).
// The point is drawn only when the model's bandwidth is one of them.
TMeasurementMarks MeasurementMarks(const TShownMeasurement& measurement, double lowMHz, double highMHz,
                                   const std::vector<std::size_t>& outputs, char separator,
                                   TLanguage language = kDefaultLanguage);

// The stretch of frequency to chart a measurement over: twice its 3 dB
// bandwidth on either side of the resonance and its whole 2:1 span (never
// below half the resonance), widened to round figures. None without a
// resonance.
std::optional<TMarkedSpan> MeasuredStretch(const TResonanceAnalysis& analysis);

} // namespace eh
