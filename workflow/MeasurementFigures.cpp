// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeasurementFigures.h"

#include "MeasurementTexts.h"
#include "NumberFormat.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

namespace eh {

namespace {

constexpr const char* kMissing = "—";

// `value` with `decimals` decimals and `separator`. {fmt} writes a point
// whatever the locale; the C library's printf would follow the process's,
// which a Qt program sets from the user's.
std::string Fixed(double value, int decimals, char separator)
{
    std::string out = fmt::format("{:.{}f}", value, decimals);
    std::replace(out.begin(), out.end(), '.', separator);
    return out;
}

std::string Megahertz(TLanguage language) { return LocalText("unit.megahertz", language); }
std::string Kilohertz(TLanguage language) { return LocalText("unit.kilohertz.field", language); }

std::string KilohertzText(double hertz, char separator, TLanguage language)
{
    return FormatReportNumber(hertz / 1000, separator) + " " + Kilohertz(language);
}

std::string SpanText(const std::optional<TFrequencySpan>& span, char separator, TLanguage language)
{
    if (!span)
        return kMissing;
    return KilohertzText(span->WidthHz(), separator, language) + ": " + MegahertzText(span->lowHz, separator) + "–" +
           MegahertzText(span->highHz, separator) + " " + Megahertz(language);
}

std::string Filled(std::string_view key, TLanguage language, const std::string& value)
{
    return fmt::format(fmt::runtime(LocalText(key, language)), value);
}

std::string Optional(const std::optional<double>& value, const std::string& unit, char separator)
{
    if (!value)
        return kMissing;
    return FormatReportNumber(*value, separator) + unit;
}

} // namespace

std::string SwrAtMostText(double level, char separator, TLanguage language)
{
    std::string number = Fixed(level, 3, separator);
    while (number.back() == '0')
        number.pop_back();
    if (number.back() == separator)
        number.pop_back();
    return Filled("measurement.swr-at-most", language, number);
}

double SwrChartTop(const std::vector<double>& swr)
{
    constexpr double kTop = 5;
    double low = INFINITY;
    double high = 1;
    for (const double value : swr)
        if (std::isfinite(value)) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    if (!std::isfinite(low))
        return kTop;
    // A little above the top value, so that a curve is not drawn on the frame.
    return std::min(high, std::max(kTop, 3 * low)) * 1.02;
}

std::string MegahertzText(double hertz, char separator) { return Fixed(hertz / 1e6, 4, separator); }

std::string RefusedFileText(const std::string& fileName, const std::string& refusal)
{
    return "«" + fileName + "»\n" + refusal;
}

std::string UnreadableFileText(const std::string& reason, TLanguage language)
{
    return Filled("measurement.refused", language, reason);
}

std::string IdealCurveName(const TModelPromise& promise, char separator, TLanguage language)
{
    return Filled("measurement.ideal-curve", language, FormatReportNumber(promise.q, separator));
}

TMeasurementSummary SummariseMeasurement(const TResonanceAnalysis& analysis,
                                         const std::optional<TModelPromise>& promise, char separator,
                                         TLanguage language)
{
    const auto text = [language](std::string_view key) { return std::string(LocalText(key, language)); };
    const std::string ohm = " " + text("unit.ohm");
    TMeasurementSummary summary;
    auto& rows = summary.figures;
    rows.push_back({text("measurement.figure.points"), std::to_string(analysis.points)});
    rows.push_back({text("measurement.figure.resonance"),
                    analysis.resonanceHz
                        ? MegahertzText(*analysis.resonanceHz, separator) + " " + Megahertz(language)
                        : kMissing});
    rows.push_back({text(analysis.resonanceHz ? "measurement.figure.swr-at-resonance" : "measurement.figure.least-swr"),
                    std::isfinite(analysis.swrMin) ? FormatReportNumber(analysis.swrMin, separator) : kMissing});
    rows.push_back({text("measurement.figure.resistance"), Optional(analysis.resistanceOhm, ohm, separator)});
    rows.push_back({text("measurement.figure.reactance"), Optional(analysis.reactanceOhm, ohm, separator)});
    rows.push_back({"Q", Optional(analysis.q, "", separator)});
    rows.push_back({text("measurement.figure.bandwidth"),
                    analysis.bandwidthHz ? KilohertzText(*analysis.bandwidthHz, separator, language) : kMissing});
    rows.push_back({Filled("measurement.figure.span", language, SwrAtMostText(kHalfPowerSwr, separator, language)),
                    SpanText(analysis.swrSpan, separator, language)});
    rows.push_back({Filled("measurement.figure.span", language, SwrAtMostText(2, separator, language)),
                    SpanText(analysis.swr2Span, separator, language)});
    rows.push_back({text("measurement.figure.promise"),
                    promise ? FormatReportNumber(promise->bandwidthKHz, separator) + " " + Kilohertz(language) +
                                  ", Q = " + FormatReportNumber(promise->q, separator)
                            : kMissing});
    for (const TMeasurementNote note : analysis.notes)
        summary.notes.push_back(MeasurementNoteText(note, language));
    if (!promise)
        summary.notes.push_back(text("measurement.note.no-promise"));
    summary.method = MeasurementMethodText(language);
    if (std::optional<std::string> text = BandwidthFieldText(analysis)) {
        std::replace(text->begin(), text->end(), '.', separator);
        summary.fieldText = std::move(text);
    }
    return summary;
}

} // namespace eh
