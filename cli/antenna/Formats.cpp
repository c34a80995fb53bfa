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

// One "member":value of a JSON object whose members follow a design table;
// the object's opening brace is already in `out`.
template <typename Record, typename Info>
void AppendRecordMember(std::string& out, const Record& record, const Info& info)
{
    if (out.back() != '{')
        out += ',';
    out += '"';
    out += info.member;
    out += "\":";
    AppendJsonDouble(out, record.*info.value);
}

// {"member":value,...} in the order of the record's members.
void AppendInputsObject(std::string& out, const TAntennaInputs& inputs)
{
    out += '{';
    for (const std::size_t i : InputRecordOrder())
        AppendRecordMember(out, inputs, InputTable()[i]);
    out += '}';
}

void AppendResultsObject(std::string& out, const TAntennaResults& results)
{
    out += '{';
    for (const TResultInfo& info : ResultTable())
        AppendRecordMember(out, results, info);
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

} // namespace eh::cli
