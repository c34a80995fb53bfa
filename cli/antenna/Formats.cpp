// SPDX-License-Identifier: GPL-3.0-or-later
#include "Formats.h"

#include "DesignService.h"
#include "DesignTables.h"
#include "Exceptions.h"
#include "JsonText.h"
#include "Report.h"

#include <iterator>
#include <string_view>

namespace eh::cli {

namespace {

// {"member":value,...} in the order of the record's members.
void AppendInputsObject(std::string& out, const TAntennaInputs& inputs)
{
    out += '{';
    for (const std::size_t i : InputRecordOrder()) {
        const TInputInfo& info = InputTable()[i];
        if (out.back() != '{')
            out += ',';
        out += '"';
        out += info.member;
        out += "\":";
        AppendJsonDouble(out, inputs.*info.value);
    }
    out += '}';
}

void AppendResultsObject(std::string& out, const TAntennaResults& results)
{
    out += '{';
    for (const TResultInfo& info : ResultTable()) {
        if (out.back() != '{')
            out += ',';
        out += '"';
        out += info.member;
        out += "\":";
        AppendJsonDouble(out, results.*info.value);
    }
    out += '}';
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
    for (const std::size_t i : InputRecordOrder()) {
        AppendShortestDouble(out, inputs.*InputTable()[i].value);
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
    const TInputInfo& info = InputTable().at(field);
    out += "{\"field\":\"";
    out += info.component;
    out += "\",\"reset_text\":";
    AppendJsonString(out, info.resetText);
    out += '}';
}

void AppendCsvHeader(std::string& out)
{
    for (const std::size_t i : InputRecordOrder()) {
        out += InputTable()[i].member;
        out += ',';
    }
    for (const TResultInfo& info : ResultTable()) {
        out += info.member;
        out += ',';
    }
    out += "notice,fault_kind,fault_message\n";
}

void AppendCsvRow(std::string& out, const TAntennaInputs& inputs, const TAntennaResults& results)
{
    AppendCsvInputs(out, inputs);
    for (const TResultInfo& info : ResultTable()) {
        AppendShortestDouble(out, results.*info.value);
        out += ',';
    }
    AppendCsvNotice(out, inputs);
    out += ",,\n";
}

void AppendCsvFaultRow(std::string& out, const TAntennaInputs& inputs, std::string_view kind,
                       const std::string& message)
{
    AppendCsvInputs(out, inputs);
    out.append(kResultCount, ',');
    AppendCsvNotice(out, inputs);
    out += ',';
    AppendCsvText(out, kind);
    out += ',';
    AppendCsvText(out, FailureText(message));
    out += '\n';
}

} // namespace eh::cli
