// SPDX-License-Identifier: GPL-3.0-or-later
#include "Report.h"

#include "DesignTables.h"
#include "LengthUnit.h"
#include "NumberFormat.h"
#include "Utf8.h"

#include <array>
#include <mutex>

namespace eh {

namespace {

constexpr int kTitleSize = 14;
constexpr int kBodySize = 9;

TStyleRun TitleRun(int characters) { return {0, characters, true, true, kTitleSize}; }
TStyleRun HeadingRun(int characters) { return {0, characters, true, false, kBodySize}; }

// One row of the report table: a title or heading text's key, or the input
// or result whose name, value and unit a value line shows.
struct ReportRow {
    TReportLineKind kind;
    const char* textKey = "";
    double TAntennaInputs::*input = nullptr;
    double TAntennaResults::*result = nullptr;
};

constexpr ReportRow Title(const char* key) { return {TReportLineKind::rlTitle, key}; }
constexpr ReportRow Heading(const char* key) { return {TReportLineKind::rlHeading, key}; }
constexpr ReportRow Empty() { return {TReportLineKind::rlEmpty}; }
constexpr ReportRow Input(double TAntennaInputs::*field) { return {TReportLineKind::rlValue, "", field}; }
constexpr ReportRow Result(double TAntennaResults::*field)
{
    return {TReportLineKind::rlValue, "", nullptr, field};
}

using I = TAntennaInputs;
using R = TAntennaResults;

// The measured bandwidth and the length in metres are not shown; lines 20
// and 33, and 22 and 32, share a name.
constexpr std::array<ReportRow, kReportLineCount> kRows = {{
    Title("report.title"),
    Input(&I::FrequencyMHz),
    Input(&I::CylinderDiameterMm),
    Input(&I::LengthToDiameter),
    Result(&R::CapacitancePf),
    Result(&R::ReactanceOhm),
    Result(&R::BandwidthKHz),
    Result(&R::QFactor),
    Result(&R::TotalLengthCm),
    Result(&R::LengthToWavelengthPct),
    Empty(),
    Heading("report.heading.coil"),
    Input(&I::WireDiameterMm),
    Input(&I::WindingPitchMm),
    Result(&R::TurnsPerCm),
    Input(&I::TurnDiameterMm),
    Result(&R::WireCylinderCapacitancePf),
    Result(&R::CoilCapacitancePf),
    Result(&R::InductanceUh),
    Result(&R::TurnCount),
    Result(&R::CoilLengthMm),
    Result(&R::CoilWireLengthCm),
    Empty(),
    Heading("report.heading.efficiency"),
    Result(&R::LossResistanceOhm),
    Result(&R::EfficiencyPct),
    Result(&R::LossDb),
    Result(&R::RrOhm),
    Result(&R::RrDeviationPct),
    Empty(),
    Heading("report.heading.phasing"),
    Result(&R::PhasingWireLengthCm),
    Result(&R::PhasingTurnCount),
    Empty(),
    Heading("report.heading.flat"),
    Result(&R::FlatArmHorizontalCm),
    Result(&R::FlatArmVerticalCm),
    Result(&R::FlatArmGapCm),
}};

// " " and the unit's text; nothing for no unit.
std::string UnitText(std::string_view key, TLanguage language)
{
    return key.empty() ? std::string() : std::string(" ") + LocalText(key, language);
}

// What a value line writes between the name and the number. The Russian
// report keeps its own spacing; the others write " = ", or a space where the
// Russian has no "=".
std::string Equals(std::string_view russianEquals, TLanguage language)
{
    if (language == TLanguage::Russian)
        return std::string(russianEquals);
    return russianEquals.find('=') == std::string_view::npos ? " " : " = ";
}

TReportRow MakeReportRow(const ReportRow& row, const TReportOptions& options)
{
    const TLanguage language = options.language;
    const bool inches = options.lengths == TLengthUnit::Inch;
    TReportRow made{row.kind, *row.textKey ? LocalText(row.textKey, language) : "", ""};
    for (const TInputInfo& info : InputTable()) {
        if (row.input && info.value == row.input) {
            made.Input = &info;
            made.InInches = inches && IsLength(info);
            made.Label = std::string(InputText(info, "name", language)) + " = ";
            made.Unit = UnitText(made.InInches ? "unit.inch" : info.unitKey, language);
        }
    }
    for (const TResultInfo& info : ResultTable()) {
        if (row.result && info.value == row.result) {
            const std::string key = std::string("result.") + info.member;
            made.Result = &info;
            made.InInches = inches && IsLength(info);
            made.PerInch = inches && info.perCentimetre;
            made.Label = LocalText(made.PerInch ? key + ".inch" : key, language) + Equals(info.equals, language);
            made.Unit = UnitText(made.InInches ? "unit.inch" : info.unitKey, language);
            const std::string note = info.hasNote ? LocalText(key + ".note", language) : "";
            if (!note.empty() || (language == TLanguage::Russian && info.spaceAfterUnit))
                made.Unit += " " + note;
        }
    }
    if (made.InInches)
        made.Decimals = kReportInchDecimals;
    made.LabelCharacters = Utf8CharacterCount(made.Label);
    made.UnitCharacters = Utf8CharacterCount(made.Unit);
    return made;
}

} // namespace

const std::array<TReportRow, kReportLineCount>& ReportRows(const TReportOptions& options)
{
    using Rows = std::array<TReportRow, kReportLineCount>;
    // Each language and unit's rows are made the first time they are asked
    // for: a page or a run writes its reports in one of them, and making every
    // one of them delayed the page's first report by milliseconds.
    static std::array<std::once_flag, kReportOptionsCount> made;
    static std::array<Rows, kReportOptionsCount> rows;
    const std::size_t index = ReportOptionsIndex(options);
    std::call_once(made[index], [index] {
        for (std::size_t i = 0; i < kRows.size(); ++i)
            rows[index][i] = MakeReportRow(kRows[i], ReportOptionsAt(index));
    });
    return rows[index];
}

double ReportRowValue(const TReportRow& row, const TAntennaInputs& inputs, const TAntennaResults& results)
{
    const double value = row.Input ? inputs.*row.Input->value : ShownValue(*row.Result, results);
    if (row.InInches)
        return InchesFromMillimetres(value);
    return row.PerInch ? PerInchFromPerCentimetre(value) : value;
}

std::array<TStyleRun, 2> ValueLineRuns(int labelCharacters, int numberCharacters, int unitCharacters)
{
    return {{{0, labelCharacters + numberCharacters + unitCharacters, false, false, kBodySize},
             {labelCharacters, numberCharacters, true, false, kBodySize}}};
}

void FillReportLine(const TReportRow& row, std::string_view number, TReportLine& line)
{
    line.Kind = row.Kind;
    line.Text.assign(row.Label);
    line.Runs.clear();
    switch (row.Kind) {
    case TReportLineKind::rlTitle:
        line.Runs.push_back(TitleRun(row.LabelCharacters));
        return;
    case TReportLineKind::rlHeading:
    case TReportLineKind::rlEmpty:
        line.Runs.push_back(HeadingRun(row.LabelCharacters));
        return;
    case TReportLineKind::rlValue:
        break;
    }
    line.Text.append(number);
    line.Text.append(row.Unit);
    // The number's text is ASCII but for a separator that is not.
    const int numberCharacters = Utf8CharacterCount(number);
    const auto runs = ValueLineRuns(row.LabelCharacters, numberCharacters, row.UnitCharacters);
    line.Runs.assign(runs.begin(), runs.end());
}

int CharacterCount(const std::string& utf8) { return Utf8CharacterCount(utf8); }

TReportLine MakeTitleLine(const std::string& text)
{
    return {TReportLineKind::rlTitle, text, {TitleRun(CharacterCount(text))}};
}

TReportLine MakeHeadingLine(const std::string& text)
{
    const TReportLineKind kind = text.empty() ? TReportLineKind::rlEmpty : TReportLineKind::rlHeading;
    return {kind, text, {HeadingRun(CharacterCount(text))}};
}

TReportLine MakeValueLine(const std::string& label, double value, const std::string& unit, char separator)
{
    const std::string number = FormatReportNumber(value, separator);
    const auto runs = ValueLineRuns(CharacterCount(label), CharacterCount(number), CharacterCount(unit));
    return {TReportLineKind::rlValue, label + number + unit, {runs.begin(), runs.end()}};
}

void ForEachReportLine(const TAntennaInputs& inputs, const TAntennaResults& results, char separator,
                       const std::function<void(const TReportLine&)>& sink, const TReportOptions& options)
{
    TReportLine line; // reused from line to line
    char number[kReportNumberMaxBytes];
    for (const TReportRow& row : ReportRows(options)) {
        const char* const end =
            row.Kind == TReportLineKind::rlValue
                ? WriteReportNumber(number, ReportRowValue(row, inputs, results), separator, row.Decimals)
                : number;
        FillReportLine(row, std::string_view(number, static_cast<std::size_t>(end - number)), line);
        sink(line);
    }
}

TReport BuildReport(const TAntennaInputs& inputs, const TAntennaResults& results, char separator,
                    const TReportOptions& options)
{
    TReport report;
    report.Lines.reserve(kReportLineCount);
    ForEachReportLine(
        inputs, results, separator, [&report](const TReportLine& line) { report.Lines.push_back(line); }, options);
    return report;
}

} // namespace eh
