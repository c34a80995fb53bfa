// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerCsv.h"

#include "DesignService.h"
#include "Exceptions.h"

#include <charconv>
#include <string_view>

namespace eh {

namespace {

void AppendNumber(std::string& out, double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

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

} // namespace

std::string SweepCsv(const TSweep& sweep)
{
    std::string out;
    for (const std::size_t input : InputRecordOrder()) {
        out += InputTable()[input].member;
        out += ',';
    }
    for (const TResultInfo& result : ResultTable()) {
        out += result.member;
        out += ',';
    }
    out += "notice,fault_kind,fault_message\n";

    for (std::size_t i = 0; i < sweep.range.points; ++i) {
        const TAntennaInputs inputs = sweep.InputsAt(i);
        for (const std::size_t input : InputRecordOrder()) {
            AppendNumber(out, inputs.*InputTable()[input].value);
            out += ',';
        }
        for (const TResultInfo& result : ResultTable()) {
            if (sweep.results[i])
                AppendNumber(out, *sweep.results[i].*result.value);
            out += ',';
        }
        if (PitchNeedsNotice(inputs))
            AppendText(out, kPitchNotice);
        out += ',';
        if (sweep.faultOf[i] != TSweep::kNoFault) {
            const TDesignFault& fault = sweep.faults[sweep.faultOf[i]].fault;
            AppendText(out, fault.kind);
            out += ',';
            AppendText(out, FailureText(fault.message));
        } else {
            out += ',';
        }
        out += '\n';
    }
    return out;
}

} // namespace eh
