// SPDX-License-Identifier: GPL-3.0-or-later
#include "Report.h"

#include "DesignTables.h"
#include "NumberFormat.h"
#include "Utf8.h"

#include <array>

namespace eh {

namespace {

constexpr int kTitleSize = 14;
constexpr int kBodySize = 9;

TStyleRun TitleRun(int characters) { return {0, characters, true, true, kTitleSize}; }
TStyleRun HeadingRun(int characters) { return {0, characters, true, false, kBodySize}; }

// One row of the report table: a title or heading text, or the input or
// result whose name, value and unit a value line shows.
struct ReportRow {
    TReportLineKind kind;
    const char* text = "";
    double TAntennaInputs::*input = nullptr;
    double TAntennaResults::*result = nullptr;
};

constexpr ReportRow Title(const char* text) { return {TReportLineKind::rlTitle, text}; }
constexpr ReportRow Heading(const char* text) { return {TReportLineKind::rlHeading, text}; }
constexpr ReportRow Empty() { return {TReportLineKind::rlEmpty}; }
constexpr ReportRow Input(double TAntennaInputs::*field) { return {TReportLineKind::rlValue, "", field}; }
constexpr ReportRow Result(double TAntennaResults::*field)
{
    return {TReportLineKind::rlValue, "", nullptr, field};
}

using I = TAntennaInputs;
using R = TAntennaResults;

// "ЕН" is Cyrillic. The measured bandwidth and the length in metres are not
// shown; lines 20 and 33, and 22 and 32, share a name.
constexpr std::array<ReportRow, kReportLineCount> kRows = {{
    Title("Расчет параметров ЕН Антенны"),
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
    Heading("Вычисление параметров катушки настройки"),
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
    Heading("Вычисление эффективности антенны"),
    Result(&R::LossResistanceOhm),
    Result(&R::EfficiencyPct),
    Result(&R::LossDb),
    Result(&R::RrOhm),
    Result(&R::RrDeviationPct),
    Empty(),
    Heading("Вычисление длины провода для фазирующей катушки"),
    Result(&R::PhasingWireLengthCm),
    Result(&R::PhasingTurnCount),
    Empty(),
    Heading("Пересчет размеров для плоской ЕН антенны"),
    Result(&R::FlatArmHorizontalCm),
    Result(&R::FlatArmVerticalCm),
    Result(&R::FlatArmGapCm),
}};

std::string UnitText(const char* unit) { return *unit ? std::string(" ") + unit : std::string(); }

TReportRow MakeReportRow(const ReportRow& row)
{
    TReportRow made{row.kind, row.text, ""};
    for (const TInputInfo& info : InputTable()) {
        if (row.input && info.value == row.input) {
            made.Input = &info;
            made.Label = std::string(info.name) + " = ";
            made.Unit = UnitText(info.unit);
        }
    }
    for (const TResultInfo& info : ResultTable()) {
        if (row.result && info.value == row.result) {
            made.Result = &info;
            made.Label = std::string(info.name) + info.equals;
            made.Unit = UnitText(info.unit) + info.unitTail;
        }
    }
    made.LabelCharacters = Utf8CharacterCount(made.Label);
    made.UnitCharacters = Utf8CharacterCount(made.Unit);
    return made;
}

} // namespace

const std::array<TReportRow, kReportLineCount>& ReportRows()
{
    static const std::array<TReportRow, kReportLineCount> rows = [] {
        std::array<TReportRow, kReportLineCount> made;
        for (std::size_t i = 0; i < kRows.size(); ++i)
            made[i] = MakeReportRow(kRows[i]);
        return made;
    }();
    return rows;
}

double ReportRowValue(const TReportRow& row, const TAntennaInputs& inputs, const TAntennaResults& results)
{
    return row.Input ? inputs.*row.Input->value : ShownValue(*row.Result, results);
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
                       const std::function<void(const TReportLine&)>& sink)
{
    TReportLine line; // reused from line to line
    char number[kReportNumberMaxBytes];
    for (const TReportRow& row : ReportRows()) {
        const char* const end = row.Kind == TReportLineKind::rlValue
                                    ? WriteReportNumber(number, ReportRowValue(row, inputs, results), separator)
                                    : number;
        FillReportLine(row, std::string_view(number, static_cast<std::size_t>(end - number)), line);
        sink(line);
    }
}

TReport BuildReport(const TAntennaInputs& inputs, const TAntennaResults& results, char separator)
{
    TReport report;
    report.Lines.reserve(kReportLineCount);
    ForEachReportLine(inputs, results, separator,
                      [&report](const TReportLine& line) { report.Lines.push_back(line); });
    return report;
}

} // namespace eh
