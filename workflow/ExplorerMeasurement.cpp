// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerMeasurement.h"

#include "Language.h"

#include "AxisTicks.h"
#include "DesignTables.h"
#include "ExplorerOutputs.h"
#include "MeasurementFigures.h"
#include "NumberFormat.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

namespace eh {

namespace {

bool Overlaps(const TMarkedSpan& span, double lowMHz, double highMHz)
{
    return span.highMHz >= lowMHz && span.lowMHz <= highMHz;
}

TMarkedSpan InMegahertz(const TFrequencySpan& span) { return {span.lowHz / 1e6, span.highHz / 1e6}; }

} // namespace

TMeasurementMarks MeasurementMarks(const TShownMeasurement& measurement, double lowMHz, double highMHz,
                                   const std::vector<std::size_t>& outputs, char separator, TLanguage language)
{
    const TResonanceAnalysis& analysis = measurement.analysis;
    TMeasurementMarks marks;
    marks.resonanceLabel = LocalText("explorer.measurement.resonance", language);
    marks.swr2Label = SwrAtMostText(2, separator, language);
    std::string& legend = marks.legend;
    legend = fmt::format(fmt::runtime(LocalText("explorer.measurement.legend", language)), measurement.name);
    if (!analysis.resonanceHz) {
        legend += LocalText("explorer.measurement.no-resonance", language);
        return marks;
    }
    const double resonanceMHz = *analysis.resonanceHz / 1e6;
    const bool resonanceShown = resonanceMHz >= lowMHz && resonanceMHz <= highMHz;
    if (resonanceShown)
        marks.resonanceMHz = resonanceMHz;
    legend += "f₀ " + MegahertzText(*analysis.resonanceHz, separator) + " " + LocalText("unit.megahertz", language);

    const std::size_t bandwidthResult = *ResultByKey("BandwidthKHz");
    const std::string kilohertz = ExplorerUnit(ResultTable()[bandwidthResult], language);
    if (analysis.bandwidthHz) {
        const double bandwidthKHz = *analysis.bandwidthHz / 1e3;
        const TMarkedSpan band{resonanceMHz - bandwidthKHz / 2e3, resonanceMHz + bandwidthKHz / 2e3};
        if (Overlaps(band, lowMHz, highMHz))
            marks.band = band;
        legend += fmt::format(fmt::runtime(LocalText("explorer.measurement.bandwidth", language)),
                              FormatReportNumber(bandwidthKHz, separator) + " " + kilohertz);
        const auto curve = std::find(outputs.begin(), outputs.end(), bandwidthResult);
        if (resonanceShown && curve != outputs.end()) {
            marks.point = TMeasuredBandwidthPoint{static_cast<std::size_t>(curve - outputs.begin()), resonanceMHz,
                                                  bandwidthKHz};
            legend += std::string(" (") + kMeasuredPointGlyph + ")";
        }
    } else {
        legend += LocalText("explorer.measurement.no-bandwidth", language);
    }
    if (analysis.swr2Span) {
        const TMarkedSpan span = InMegahertz(*analysis.swr2Span);
        if (Overlaps(span, lowMHz, highMHz))
            marks.swr2Span = span;
        legend += ", " + marks.swr2Label + " " + MegahertzText(analysis.swr2Span->lowHz, separator) + "–" +
                  MegahertzText(analysis.swr2Span->highHz, separator) + " " + LocalText("unit.megahertz", language);
    }
    if (!resonanceShown)
        legend += LocalText("explorer.measurement.beyond-chart", language);
    return marks;
}

std::optional<TMarkedSpan> MeasuredStretch(const TResonanceAnalysis& analysis)
{
    if (!analysis.resonanceHz)
        return std::nullopt;
    const double resonance = *analysis.resonanceHz / 1e6;
    // Without a bandwidth, a span as wide as a 3 dB band of Q 50.
    const double bandwidth = analysis.bandwidthHz ? *analysis.bandwidthHz / 1e6 : resonance / 50;
    double low = resonance - 2 * bandwidth;
    double high = resonance + 2 * bandwidth;
    if (analysis.swr2Span) {
        low = std::min(low, analysis.swr2Span->lowHz / 1e6);
        high = std::max(high, analysis.swr2Span->highHz / 1e6);
    }
    low = std::max(low, resonance / 2);
    const double step = AxisTicks(low, high, 8).step;
    return TMarkedSpan{std::floor(low / step) * step, std::ceil(high / step) * step};
}

} // namespace eh
