// SPDX-License-Identifier: GPL-3.0-or-later
#include "Report.h"

#include "ExtendedMath.h"
#include "NumberFormat.h"
#include "Utf8.h"

#include <array>

namespace eh {

namespace {

constexpr int kTitleSize = 14;
constexpr int kBodySize = 9;

// One row of the report table. A value row reads its value from the inputs
// or from the results; `timesTen` shows centimetres as millimetres.
struct ReportRow {
    TReportLineKind kind;
    const char* text;
    double TAntennaInputs::*input = nullptr;
    double TAntennaResults::*result = nullptr;
    bool timesTen = false;
    const char* unit = "";
};

constexpr ReportRow Title(const char* text) { return {TReportLineKind::rlTitle, text}; }
constexpr ReportRow Heading(const char* text) { return {TReportLineKind::rlHeading, text}; }
constexpr ReportRow Empty() { return {TReportLineKind::rlEmpty, ""}; }
constexpr ReportRow Input(const char* label, double TAntennaInputs::*field, const char* unit)
{
    return {TReportLineKind::rlValue, label, field, nullptr, false, unit};
}
constexpr ReportRow Result(const char* label, double TAntennaResults::*field, const char* unit,
                           bool timesTen = false)
{
    return {TReportLineKind::rlValue, label, nullptr, field, timesTen, unit};
}

using I = TAntennaInputs;
using R = TAntennaResults;

// "L/D", "C", "Xc", "Q", "L", "RR" and "dB" are Latin; "ЕН" is Cyrillic.
const std::array<ReportRow, kReportLineCount> kRows = {{
    Title("Расчет параметров ЕН Антенны"),
    Input("Частота = ", &I::FrequencyMHz, " МГц"),
    Input("Диаметр цилиндров = ", &I::CylinderDiameterMm, " мм"),
    Input("Отношение длина/диаметр (L/D) = ", &I::LengthToDiameter, ""),
    Result("C = ", &R::CapacitancePf, " Пф"),
    Result("Xc = ", &R::ReactanceOhm, " Ом"),
    Result("Полоса пропуск. по ур.3 dB = ", &R::BandwidthKHz, " Кгц"),
    Result("Q = ", &R::QFactor, " "),
    Result("Общая длина антенны  = ", &R::TotalLengthCm, " мм", true),
    Result("Длина антенны к длине волны ", &R::LengthToWavelengthPct, " %"),
    Empty(),
    Heading("Вычисление параметров катушки настройки"),
    Input("Диаметр провода = ", &I::WireDiameterMm, " мм"),
    Input("Шаг намотки = ", &I::WindingPitchMm, " мм"),
    Result("Витков на сантиметр = ", &R::TurnsPerCm, " "),
    Input("Диаметр витка = ", &I::TurnDiameterMm, " мм"),
    Result("Емкость между проводом и цилиндром C = ", &R::WireCylinderCapacitancePf, " Пф"),
    Result("Емкость катушки настройки C = ", &R::CoilCapacitancePf, " Пф Ориентировочно"),
    Result("Индуктивность катушки L = ", &R::InductanceUh, " микрогенри"),
    Result("Количество витков = ", &R::TurnCount, " "),
    Result("Длина катушки = ", &R::CoilLengthMm, " мм"),
    Result("Длина провода = ", &R::CoilWireLengthCm, " мм", true),
    Empty(),
    Heading("Вычисление эффективности антенны"),
    Result("Сопротивление потерь на ВЧ = ", &R::LossResistanceOhm, " Ом"),
    Result("Эффективность антенны = ", &R::EfficiencyPct, " %"),
    Result("Потери в антенне = ", &R::LossDb, " dB"),
    Result("RR= ", &R::RrOhm, " Ом"),
    Result("Ошибка вычисления = ", &R::RrDeviationPct, " %"),
    Empty(),
    Heading("Вычисление длины провода для фазирующей катушки"),
    Result("Длина провода = ", &R::PhasingWireLengthCm, " мм", true),
    Result("Количество витков = ", &R::PhasingTurnCount, ""),
    Empty(),
    Heading("Пересчет размеров для плоской ЕН антенны"),
    Result("Горизонтальный размер плеча ", &R::FlatArmHorizontalCm, " мм", true),
    Result("Вертикальный размер плеча ", &R::FlatArmVerticalCm, " мм", true),
    Result("Расстояние между плечами ", &R::FlatArmGapCm, " мм", true),
}};

TReportLine MakeRowLine(const ReportRow& row, const TAntennaInputs& inputs, const TAntennaResults& results,
                        char separator)
{
    switch (row.kind) {
    case TReportLineKind::rlTitle:
        return MakeTitleLine(row.text);
    case TReportLineKind::rlHeading:
    case TReportLineKind::rlEmpty:
        return MakeHeadingLine(row.text);
    case TReportLineKind::rlValue:
        break;
    }
    double value = row.input ? inputs.*row.input : results.*row.result;
    if (row.timesTen)
        value = xmath::Store(static_cast<xmath::Extended>(value) * 10.0L);
    return MakeValueLine(row.text, value, row.unit, separator);
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
    for (const ReportRow& row : kRows)
        sink(MakeRowLine(row, inputs, results, separator));
}

TReport BuildReport(const TAntennaInputs& inputs, const TAntennaResults& results, char separator)
{
    TReport report;
    report.FirstIndent = kReportFirstIndentPt;
    report.Lines.reserve(kReportLineCount);
    ForEachReportLine(inputs, results, separator,
                      [&report](const TReportLine& line) { report.Lines.push_back(line); });
    return report;
}

} // namespace eh
