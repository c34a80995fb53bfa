// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShownLengths.h"

#include "Exceptions.h"
#include "InchText.h"
#include "NumberConversion.h"
#include "NumberFormat.h"
#include "WireGauge.h"

#include <fmt/format.h>

namespace eh {

namespace {

bool InInches(bool isLength, TLengthUnit lengths) { return isLength && lengths == TLengthUnit::Inch; }

double Shown(bool isLength, double value, TLengthUnit lengths)
{
    return InInches(isLength, lengths) ? InchesFromMillimetres(value) : value;
}

} // namespace

std::string ShownInputLabel(const TInputInfo& input, TLanguage language, TLengthUnit lengths)
{
    if (InInches(IsLength(input), lengths))
        return std::string(InputText(input, "name", language)) + " (" + LocalText("unit.inch", language) + ")";
    return InputText(input, "label", language);
}

std::string ShownResultName(const TResultInfo& result, TLanguage language, TLengthUnit lengths)
{
    if (InInches(result.perCentimetre, lengths))
        return LocalText(std::string("result.") + result.member + ".inch", language);
    return StandaloneName(result, language);
}

double InShownUnit(const TInputInfo& input, double value, TLengthUnit lengths)
{
    return Shown(IsLength(input), value, lengths);
}

double InShownUnit(const TResultInfo& result, double value, TLengthUnit lengths)
{
    if (InInches(result.perCentimetre, lengths))
        return PerInchFromPerCentimetre(value);
    return Shown(IsLength(result), value, lengths);
}

double FromShownCount(const TResultInfo& result, double value, TLengthUnit lengths)
{
    return InInches(result.perCentimetre, lengths) ? PerCentimetreFromPerInch(value) : value;
}

double ShownResultValue(const TResultInfo& result, const TAntennaResults& results, TLengthUnit lengths)
{
    return InShownUnit(result, ShownValue(result, results), lengths);
}

std::vector<double> ShownSweptValues(const TSweepPlan& plan, TLengthUnit lengths)
{
    const TInputInfo& swept = InputTable()[plan.input];
    std::vector<double> values(plan.points);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = InShownUnit(swept, plan.Value(i), lengths);
    return values;
}

std::string_view WorkbenchUnit(const TInputInfo& input, TLengthUnit lengths)
{
    return InInches(IsLength(input), lengths) ? RussianText("unit.inch") : input.unit;
}

std::string_view WorkbenchUnit(const TResultInfo& result, TLengthUnit lengths)
{
    return InInches(IsLength(result), lengths) ? RussianText("unit.inch") : result.unit;
}

std::string ShownLengthText(double millimetres, char separator, TLengthUnit lengths)
{
    if (lengths == TLengthUnit::Inch)
        return FormatReportNumber(InchesFromMillimetres(millimetres), separator, kReportInchDecimals);
    return FormatReportNumber(millimetres, separator);
}

std::string WireGaugeDiameterText(int gauge, char separator, TLanguage language, TLengthUnit lengths)
{
    const double millimetres = WireGaugeDiameterMm(gauge);
    const bool inches = lengths == TLengthUnit::Inch;
    return fmt::format(fmt::runtime(LocalText("page.wire-gauge", language)),
                       fmt::arg("diameter", inches ? ShownLengthText(millimetres, separator, lengths)
                                                   : FormatReportNumber(millimetres, separator, 3)),
                       fmt::arg("unit", LocalText(inches ? "unit.inch" : "unit.millimetre", language)));
}

std::string ShownInputText(const TInputInfo& input, double value, char separator, TLengthUnit lengths)
{
    return IsLength(input) ? ShownLengthText(value, separator, lengths) : FormatReportNumber(value, separator);
}

std::string MillimetreTextOf(bool isLength, const std::string& text, char separator, TLengthUnit lengths)
{
    if (!InInches(isLength, lengths))
        return text;
    try {
        ConvertFieldText(text, separator);
    } catch (const Exception&) {
        return text;
    }
    return MillimetreTextOfInches(text, separator);
}

} // namespace eh
