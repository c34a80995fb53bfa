// SPDX-License-Identifier: GPL-3.0-or-later
#include "Formats.h"

#include "CalculateCommand.h"
#include "DesignTables.h"
#include "Exceptions.h"
#include "Fields.h"
#include "JsonText.h"
#include "NumberConversion.h"
#include "Report.h"

#include <array>
#include <iterator>
#include <string_view>

namespace eh::cli {

namespace {

// A named double field of a record.
template <typename Record>
struct Column {
    const char* name;
    double Record::*field;
};

using InputColumn = Column<TAntennaInputs>;
using ResultColumn = Column<TAntennaResults>;

// In the order of the records' fields.
constexpr std::array<InputColumn, 7> kInputColumns = {{
    {"FrequencyMHz", &TAntennaInputs::FrequencyMHz},
    {"CylinderDiameterMm", &TAntennaInputs::CylinderDiameterMm},
    {"LengthToDiameter", &TAntennaInputs::LengthToDiameter},
    {"MeasuredBandwidthKHz", &TAntennaInputs::MeasuredBandwidthKHz},
    {"WireDiameterMm", &TAntennaInputs::WireDiameterMm},
    {"WindingPitchMm", &TAntennaInputs::WindingPitchMm},
    {"TurnDiameterMm", &TAntennaInputs::TurnDiameterMm},
}};

constexpr std::array<ResultColumn, 24> kResultColumns = {{
    {"CapacitancePf", &TAntennaResults::CapacitancePf},
    {"ReactanceOhm", &TAntennaResults::ReactanceOhm},
    {"BandwidthKHz", &TAntennaResults::BandwidthKHz},
    {"QFactor", &TAntennaResults::QFactor},
    {"TotalLengthCm", &TAntennaResults::TotalLengthCm},
    {"TotalLengthM", &TAntennaResults::TotalLengthM},
    {"LengthToWavelengthPct", &TAntennaResults::LengthToWavelengthPct},
    {"RrOhm", &TAntennaResults::RrOhm},
    {"RrDeviationPct", &TAntennaResults::RrDeviationPct},
    {"TurnsPerCm", &TAntennaResults::TurnsPerCm},
    {"WireCylinderCapacitancePf", &TAntennaResults::WireCylinderCapacitancePf},
    {"CoilCapacitancePf", &TAntennaResults::CoilCapacitancePf},
    {"InductanceUh", &TAntennaResults::InductanceUh},
    {"TurnCount", &TAntennaResults::TurnCount},
    {"CoilLengthMm", &TAntennaResults::CoilLengthMm},
    {"CoilWireLengthCm", &TAntennaResults::CoilWireLengthCm},
    {"LossResistanceOhm", &TAntennaResults::LossResistanceOhm},
    {"EfficiencyPct", &TAntennaResults::EfficiencyPct},
    {"LossDb", &TAntennaResults::LossDb},
    {"PhasingWireLengthCm", &TAntennaResults::PhasingWireLengthCm},
    {"PhasingTurnCount", &TAntennaResults::PhasingTurnCount},
    {"FlatArmHorizontalCm", &TAntennaResults::FlatArmHorizontalCm},
    {"FlatArmVerticalCm", &TAntennaResults::FlatArmVerticalCm},
    {"FlatArmGapCm", &TAntennaResults::FlatArmGapCm},
}};

// {"name":value,...} over the columns, in their order.
template <typename Record, size_t N>
void AppendFieldsObject(std::string& out, const Record& record, const std::array<Column<Record>, N>& columns)
{
    out += '{';
    bool first = true;
    for (const Column<Record>& column : columns) {
        if (!first)
            out += ',';
        first = false;
        out += '"';
        out += column.name;
        out += "\":";
        AppendJsonDouble(out, record.*column.field);
    }
    out += '}';
}

void AppendInputsObject(std::string& out, const TAntennaInputs& inputs)
{
    AppendFieldsObject(out, inputs, kInputColumns);
}

void AppendResultsObject(std::string& out, const TAntennaResults& results)
{
    AppendFieldsObject(out, results, kResultColumns);
}

void AppendErrorObject(std::string& out, std::string_view kind, const std::string& message)
{
    out += "{\"kind\":";
    AppendJsonString(out, kind);
    out += ",\"message\":";
    AppendJsonString(out, FailureText(message));
    out += '}';
}


void AppendInt(std::string& out, int value)
{
    if (value < 0) {
        out += '-';
        AppendUnsigned(out, static_cast<unsigned long long>(-static_cast<long long>(value)));
    } else {
        AppendUnsigned(out, static_cast<unsigned long long>(value));
    }
}

// A CSV field: quoted when it holds a comma, a quote or a line break.
void AppendCsvText(std::string& out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void AppendCsvInputs(std::string& out, const TAntennaInputs& inputs)
{
    for (const InputColumn& column : kInputColumns) {
        AppendShortestDouble(out, inputs.*column.field);
        out += ',';
    }
}

void AppendCsvNotice(std::string& out, const TAntennaInputs& inputs)
{
    if (PitchNeedsNotice(inputs))
        AppendCsvText(out, kPitchNotice);
}

} // namespace

const char* LineKindName(int kind)
{
    switch (static_cast<TReportLineKind>(kind)) {
    case TReportLineKind::rlTitle:
        return "rlTitle";
    case TReportLineKind::rlHeading:
        return "rlHeading";
    case TReportLineKind::rlEmpty:
        return "rlEmpty";
    case TReportLineKind::rlValue:
        return "rlValue";
    }
    return "rlUnknown";
}

void AppendReportText(std::string& out, const TAntennaInputs& inputs, const TAntennaResults& results,
                      char separator)
{
    ForEachReportLine(inputs, results, separator, [&out](const TReportLine& line) {
        out += line.Text;
        out += '\n';
    });
}

void CheckReport(const TAntennaInputs& inputs, const TAntennaResults& results, char separator)
{
    ForEachReportLine(inputs, results, separator, [](const TReportLine&) {});
}

void AppendDesignJson(std::string& out, const TAntennaInputs& inputs, const TAntennaResults& results,
                      char separator)
{
    out += "{\"inputs\":";
    AppendInputsObject(out, inputs);
    out += ",\"results\":";
    AppendResultsObject(out, results);
    out += ",\"report\":[";
    bool firstLine = true;
    ForEachReportLine(inputs, results, separator, [&out, &firstLine](const TReportLine& line) {
        static constexpr std::string_view kKinds[] = {
            "{\"kind\":\"rlTitle\",\"text\":",
            "{\"kind\":\"rlHeading\",\"text\":",
            "{\"kind\":\"rlEmpty\",\"text\":",
            "{\"kind\":\"rlValue\",\"text\":",
        };
        static constexpr std::string_view kStyles[] = {
            ",\"bold\":false,\"underline\":false,\"size\":",
            ",\"bold\":false,\"underline\":true,\"size\":",
            ",\"bold\":true,\"underline\":false,\"size\":",
            ",\"bold\":true,\"underline\":true,\"size\":",
        };
        out.reserve(out.size() + line.Text.size() + 96 * (line.Runs.size() + 1));
        if (!firstLine)
            out += ',';
        firstLine = false;
        const auto kind = static_cast<std::size_t>(line.Kind);
        if (kind < std::size(kKinds)) {
            out.append(kKinds[kind]);
        } else {
            out.append("{\"kind\":\"");
            out.append(LineKindName(static_cast<int>(line.Kind)));
            out.append("\",\"text\":");
        }
        AppendJsonString(out, line.Text);
        out.append(",\"runs\":[");
        bool firstRun = true;
        for (const TStyleRun& run : line.Runs) {
            out.append(firstRun ? std::string_view("{\"start\":") : std::string_view(",{\"start\":"));
            firstRun = false;
            AppendInt(out, run.Start);
            out.append(",\"length\":");
            AppendInt(out, run.Length);
            out.append(kStyles[(run.Bold ? 2 : 0) + (run.Underline ? 1 : 0)]);
            AppendInt(out, run.Size);
            out += '}';
        }
        out.append("]}");
    });
    out += "],\"notice\":";
    if (PitchNeedsNotice(inputs))
        AppendJsonString(out, kPitchNotice);
    else
        out += "null";
    out += '}';
}

void AppendErrorJson(std::string& out, std::string_view kind, const std::string& message)
{
    out += "{\"error\":";
    AppendErrorObject(out, kind, message);
    out += '}';
}

void AppendInputsErrorJson(std::string& out, const TAntennaInputs& inputs, std::string_view kind,
                           const std::string& message)
{
    out += "{\"inputs\":";
    AppendInputsObject(out, inputs);
    out += ",\"error\":";
    AppendErrorObject(out, kind, message);
    out += '}';
}

void AppendFieldErrorJson(std::string& out, std::size_t field)
{
    const char* component = Fields().at(field).component;
    out += "{\"field\":\"";
    out += component;
    out += "\",\"reset_text\":";
    AppendJsonString(out, InputTable().at(field).resetText);
    out += '}';
}

void AppendCsvHeader(std::string& out)
{
    for (const InputColumn& column : kInputColumns) {
        out += column.name;
        out += ',';
    }
    for (const ResultColumn& column : kResultColumns) {
        out += column.name;
        out += ',';
    }
    out += "notice,fault_kind,fault_message\n";
}

void AppendCsvRow(std::string& out, const TAntennaInputs& inputs, const TAntennaResults& results)
{
    AppendCsvInputs(out, inputs);
    for (const ResultColumn& column : kResultColumns) {
        AppendShortestDouble(out, results.*column.field);
        out += ',';
    }
    AppendCsvNotice(out, inputs);
    out += ",,\n";
}

void AppendCsvFaultRow(std::string& out, const TAntennaInputs& inputs, std::string_view kind,
                       const std::string& message)
{
    AppendCsvInputs(out, inputs);
    out.append(kResultColumns.size(), ',');
    AppendCsvNotice(out, inputs);
    out += ',';
    AppendCsvText(out, kind);
    out += ',';
    AppendCsvText(out, FailureText(message));
    out += '\n';
}

} // namespace eh::cli
