// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignCsv.h"

#include "DesignTables.h"
#include "Exceptions.h"
#include "NumberFormat.h"

#include <string_view>

namespace eh {

namespace {

// A CSV field: quoted when it holds a comma, a quote or a line break.
void AppendText(std::string& out, std::string_view text)
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

void AppendInputs(std::string& out, const TAntennaInputs& inputs)
{
    for (const std::size_t i : InputRecordOrder()) {
        AppendCsvNumber(out, inputs.*InputTable()[i].value);
        out += ',';
    }
}

void AppendNotice(std::string& out, const TAntennaInputs& inputs)
{
    if (PitchNeedsNotice(inputs))
        AppendText(out, kPitchNotice);
}

} // namespace

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
    AppendInputs(out, inputs);
    for (const TResultInfo& info : ResultTable()) {
        AppendCsvNumber(out, results.*info.value);
        out += ',';
    }
    AppendNotice(out, inputs);
    out += ",,\n";
}

void AppendCsvFaultRow(std::string& out, const TAntennaInputs& inputs, const TFault& fault)
{
    AppendInputs(out, inputs);
    out.append(kResultCount, ',');
    AppendNotice(out, inputs);
    out += ',';
    AppendText(out, FaultKindName(fault.kind));
    out += ',';
    AppendText(out, FailureText(fault.message));
    out += '\n';
}

void AppendCsvNumber(std::string& out, double value)
{
    char text[kShortestNumberMaxBytes];
    out.append(text, WriteShortestNumber(text, value));
}

} // namespace eh
