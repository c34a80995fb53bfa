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

std::string KilohertzText(double hertz, char separator)
{
    return FormatReportNumber(hertz / 1000, separator) + " " + kKilohertz;
}

std::string SpanText(const std::optional<TFrequencySpan>& span, char separator)
{
    if (!span)
        return kMissing;
    return KilohertzText(span->WidthHz(), separator) + ": " + MegahertzText(span->lowHz, separator) + "–" +
           MegahertzText(span->highHz, separator) + " " + kMegahertz;
}

std::string Optional(const std::optional<double>& value, const std::string& unit, char separator)
{
    if (!value)
        return kMissing;
    return FormatReportNumber(*value, separator) + unit;
}

} // namespace

std::string SwrAtMostText(double level, char separator)
{
    std::string number = Fixed(level, 3, separator);
    while (number.back() == '0')
        number.pop_back();
    if (number.back() == separator)
        number.pop_back();
    return "КСВ ≤ " + number;
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

std::string UnreadableFileText(const std::string& reason) { return "Файл не прочитан: " + reason + "."; }

std::string IdealCurveName(const TModelPromise& promise, char separator)
{
    return "Идеальная антенна (Q = " + FormatReportNumber(promise.q, separator) + ")";
}

TMeasurementSummary SummariseMeasurement(const TResonanceAnalysis& analysis,
                                         const std::optional<TModelPromise>& promise, char separator)
{
    TMeasurementSummary summary;
    auto& rows = summary.figures;
    rows.push_back({"Точек в измерении", std::to_string(analysis.points)});
    rows.push_back({"Резонанс", analysis.resonanceHz
                                    ? MegahertzText(*analysis.resonanceHz, separator) + " " + kMegahertz
                                    : kMissing});
    rows.push_back({analysis.resonanceHz ? "КСВ в резонансе" : "Наименьший КСВ",
                    std::isfinite(analysis.swrMin) ? FormatReportNumber(analysis.swrMin, separator) : kMissing});
    rows.push_back({"R в резонансе", Optional(analysis.resistanceOhm, " Ом", separator)});
    rows.push_back({"X в резонансе", Optional(analysis.reactanceOhm, " Ом", separator)});
    rows.push_back({"Q", Optional(analysis.q, "", separator)});
    rows.push_back({"Полоса пропуск. по ур.3 dB",
                    analysis.bandwidthHz ? KilohertzText(*analysis.bandwidthHz, separator) : kMissing});
    rows.push_back({"Полоса по " + SwrAtMostText(kHalfPowerSwr, separator), SpanText(analysis.swrSpan, separator)});
    rows.push_back({"Полоса по " + SwrAtMostText(2, separator), SpanText(analysis.swr2Span, separator)});
    rows.push_back({"Полоса по расчету", promise ? FormatReportNumber(promise->bandwidthKHz, separator) + " " +
                                                       kKilohertz + ", Q = " +
                                                       FormatReportNumber(promise->q, separator)
                                                 : kMissing});
    for (const TMeasurementNote note : analysis.notes)
        summary.notes.push_back(MeasurementNoteText(note));
    if (!promise)
        summary.notes.push_back("Полоса по расчету не известна: поля конструкции не заполнены числами "
                                "или расчет невозможен.");
    summary.method = MeasurementMethodText();
    if (std::optional<std::string> text = BandwidthFieldText(analysis)) {
        std::replace(text->begin(), text->end(), '.', separator);
        summary.fieldText = std::move(text);
    }
    return summary;
}

} // namespace eh
