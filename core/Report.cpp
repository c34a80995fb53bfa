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

// A row with the texts of its line: the label (the name and what follows it
// up to the number) and the unit as the line writes them.
struct LineRow {
    TReportLineKind kind;
    std::string label;
    std::string unit;
    const TInputInfo* input = nullptr;
    const TResultInfo* result = nullptr;
};

std::string UnitText(const char* unit) { return *unit ? std::string(" ") + unit : std::string(); }

LineRow MakeLineRow(const ReportRow& row)
{
    LineRow line{row.kind, row.text, ""};
    for (const TInputInfo& info : InputTable()) {
        if (row.input && info.value == row.input) {
            line.input = &info;
            line.label = std::string(info.name) + " = ";
            line.unit = UnitText(info.unit);
        }
    }
    for (const TResultInfo& info : ResultTable()) {
        if (row.result && info.value == row.result) {
            line.result = &info;
            line.label = std::string(info.name) + info.equals;
            line.unit = UnitText(info.unit) + info.unitTail;
        }
    }
    return line;
}

// The rows with their texts, made once from the tables.
const std::array<LineRow, kReportLineCount>& LineRows()
{
    static const std::array<LineRow, kReportLineCount> rows = [] {
        std::array<LineRow, kReportLineCount> made;
        for (std::size_t i = 0; i < kRows.size(); ++i)
            made[i] = MakeLineRow(kRows[i]);
        return made;
    }();
    return rows;
}

TReportLine MakeRowLine(const LineRow& row, const TAntennaInputs& inputs, const TAntennaResults& results,
                        char separator)
{
    switch (row.kind) {
    case TReportLineKind::rlTitle:
        return MakeTitleLine(row.label);
    case TReportLineKind::rlHeading:
    case TReportLineKind::rlEmpty:
        return MakeHeadingLine(row.label);
    case TReportLineKind::rlValue:
        break;
    }
    const double value = row.input ? inputs.*row.input->value : ShownValue(*row.result, results);
    return MakeValueLine(row.label, value, row.unit, separator);
}

} // namespace

int CharacterCount(const std::string& utf8) { return Utf8CharacterCount(utf8); }

TReportLine MakeTitleLine(const std::string& text)
{
    return {TReportLineKind::rlTitle, text, {{0, CharacterCount(text), true, true, kTitleSize}}};
}

TReportLine MakeHeadingLine(const std::string& text)
{
    const TReportLineKind kind = text.empty() ? TReportLineKind::rlEmpty : TReportLineKind::rlHeading;
    return {kind, text, {{0, CharacterCount(text), true, false, kBodySize}}};
}

TReportLine MakeValueLine(const std::string& label, double value, const std::string& unit, char separator)
{
    const std::string number = FormatReportNumber(value, separator);
    TReportLine line{TReportLineKind::rlValue, label + number + unit, {}};
    line.Runs.push_back({0, CharacterCount(line.Text), false, false, kBodySize});
    line.Runs.push_back({CharacterCount(label), CharacterCount(number), true, false, kBodySize});
    return line;
}

void ForEachReportLine(const TAntennaInputs& inputs, const TAntennaResults& results, char separator,
                       const std::function<void(const TReportLine&)>& sink)
{
    for (const LineRow& row : LineRows())
        sink(MakeRowLine(row, inputs, results, separator));
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
