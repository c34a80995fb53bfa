// SPDX-License-Identifier: GPL-3.0-or-later
#include "Formats.h"

#include "DesignService.h"
#include "DesignTables.h"
#include "Exceptions.h"
#include "JsonText.h"
#include "NumberFormat.h"
#include "Report.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>
#include <vector>

namespace eh::cli {

namespace {

// Appends to a string through a pointer: Room(n) makes room for n more bytes
// at the end, Wrote(end) marks what was written, and the string is cut back
// to that when the writer goes.
class DirectWriter {
public:
    explicit DirectWriter(std::string& out) : out_(out), end_(out.size()) {}
    ~DirectWriter() { out_.resize(end_); }
    DirectWriter(const DirectWriter&) = delete;
    DirectWriter& operator=(const DirectWriter&) = delete;

    char* Room(std::size_t bytes)
    {
        if (out_.size() - end_ < bytes)
            out_.resize(end_ + std::max(bytes, kGrowthBytes));
        return out_.data() + end_;
    }
    void Wrote(const char* end) { end_ = static_cast<std::size_t>(end - out_.data()); }
    void Put(std::string_view text) { Wrote(Put(Room(text.size()), text)); }

    static char* Put(char* at, std::string_view text) { return std::copy(text.begin(), text.end(), at); }

private:
    static constexpr std::size_t kGrowthBytes = std::size_t{16} << 10; // about two designs
    std::string& out_;
    std::size_t end_;
};

// The most bytes one style run's JSON takes: its texts and three numbers.
constexpr std::size_t kRunMaxBytes = 96;

char* WriteInt(char* out, int value)
{
    if (value < 0) {
        *out++ = '-';
        return WriteUnsigned(out, static_cast<unsigned long long>(-static_cast<long long>(value)));
    }
    return WriteUnsigned(out, static_cast<unsigned long long>(value));
}

// ,"runs":[...]} closing a line object; room for kRunMaxBytes per run.
char* WriteRuns(char* out, const TStyleRun* runs, std::size_t count)
{
    static constexpr std::string_view kStyles[] = {
        ",\"bold\":false,\"underline\":false,\"size\":",
        ",\"bold\":false,\"underline\":true,\"size\":",
        ",\"bold\":true,\"underline\":false,\"size\":",
        ",\"bold\":true,\"underline\":true,\"size\":",
    };
    out = DirectWriter::Put(out, ",\"runs\":[");
    for (std::size_t i = 0; i < count; ++i) {
        const TStyleRun& run = runs[i];
        out = DirectWriter::Put(out, i == 0 ? std::string_view("{\"start\":") : std::string_view(",{\"start\":"));
        out = WriteInt(out, run.Start);
        out = DirectWriter::Put(out, ",\"length\":");
        out = WriteInt(out, run.Length);
        out = DirectWriter::Put(out, kStyles[(run.Bold ? 2 : 0) + (run.Underline ? 1 : 0)]);
        out = WriteInt(out, run.Size);
        *out++ = '}';
    }
    return DirectWriter::Put(out, "]}");
}

void AppendRuns(std::string& out, const std::vector<TStyleRun>& runs)
{
    DirectWriter writer(out);
    writer.Wrote(WriteRuns(writer.Room(16 + kRunMaxBytes * runs.size()), runs.data(), runs.size()));
}

// What every design's JSON repeats, written once: each member's key with the
// comma before it (",\"CapacitancePf\":"), for each report row with the
// comma before it either the whole line object (the lines without a number)
// or a value line's opening, its label and its unit, and the pitch notice.
struct DesignJsonPieces {
    std::array<std::string, kInputCount> inputKeys;
    std::array<std::string, kResultCount> resultKeys;
    std::array<std::string, kReportLineCount> rowObjects; // the whole line; a value line's opening
    std::array<std::string, kReportLineCount> labels;     // a value line's opening quote and label
    std::array<std::string, kReportLineCount> unitTails;  // a value line's unit and closing quote
    std::string notice;                                    // the pitch notice as a JSON string
    bool plainTexts = true;                                // no value line's label or unit needs escaping
    std::size_t inputBytes = 0;                            // the most bytes of the inputs object
    std::size_t fixedBytes = 0;                            // the pieces' bytes of one design

    template <std::size_t N>
    static std::size_t Bytes(const std::array<std::string, N>& pieces)
    {
        std::size_t bytes = 0;
        for (const std::string& piece : pieces)
            bytes += piece.size();
        return bytes;
    }

    explicit DesignJsonPieces(const TReportOptions& report)
    {
        for (std::size_t i = 0; i < kInputCount; ++i)
            inputKeys[i] = (i == 0 ? "\"" : ",\"") + std::string(InputTable()[InputRecordOrder()[i]].member) + "\":";
        for (std::size_t i = 0; i < kResultCount; ++i)
            resultKeys[i] = (i == 0 ? "\"" : ",\"") + std::string(ResultTable()[i].member) + "\":";
        TReportLine line;
        for (std::size_t i = 0; i < kReportLineCount; ++i) {
            const TReportRow& row = ReportRows(report)[i];
            std::string& object = rowObjects[i] = i == 0 ? "{\"kind\":\"" : ",{\"kind\":\"";
            object += LineKindName(static_cast<int>(row.Kind));
            object += "\",\"text\":";
            if (row.Kind == TReportLineKind::rlValue) {
                plainTexts = plainTexts && IsPlainJsonText(row.Label) && IsPlainJsonText(row.Unit);
                labels[i] = '"' + row.Label;
                unitTails[i] = row.Unit + '"';
            } else {
                FillReportLine(row, {}, line);
                AppendJsonString(object, line.Text);
                AppendRuns(object, line.Runs);
            }
        }
        AppendJsonString(notice, LocalText("notice.pitch", report.language));
        inputBytes = 2 + Bytes(inputKeys) + kInputCount * kJsonDoubleMaxBytes;
        fixedBytes = Bytes(inputKeys) + Bytes(resultKeys) + Bytes(rowObjects) + Bytes(labels) + Bytes(unitTails) +
                     notice.size();
    }
};

// The pieces of every language in both units, made the first time any is
// asked for.
const DesignJsonPieces& JsonPieces(const TReportOptions& report = {})
{
    static const auto pieces = []<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<DesignJsonPieces, sizeof...(I)>{DesignJsonPieces(ReportOptionsAt(I))...};
    }(std::make_index_sequence<kReportOptionsCount>());
    return pieces[ReportOptionsIndex(report)];
}

// {"member":value,...} in the order of the record's members.
char* WriteInputsObject(char* out, const TAntennaInputs& inputs)
{
    const DesignJsonPieces& pieces = JsonPieces();
    *out++ = '{';
    for (std::size_t i = 0; i < kInputCount; ++i) {
        out = DirectWriter::Put(out, pieces.inputKeys[i]);
        out = WriteJsonDouble(out, inputs.*InputTable()[InputRecordOrder()[i]].value);
    }
    *out++ = '}';
    return out;
}

char* WriteResultsObject(char* out, const TAntennaResults& results)
{
    const DesignJsonPieces& pieces = JsonPieces();
    *out++ = '{';
    for (std::size_t i = 0; i < kResultCount; ++i) {
        out = DirectWriter::Put(out, pieces.resultKeys[i]);
        out = WriteJsonDouble(out, results.*ResultTable()[i].value);
    }
    *out++ = '}';
    return out;
}

void AppendInputsObject(std::string& out, const TAntennaInputs& inputs)
{
    DirectWriter writer(out);
    writer.Wrote(WriteInputsObject(writer.Room(JsonPieces().inputBytes), inputs));
}

void AppendErrorObject(std::string& out, std::string_view kind, const std::string& message)
{
    out += "{\"kind\":";
    AppendJsonString(out, kind);
    out += ",\"message\":";
    AppendJsonString(out, FailureText(message));
    out += '}';
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
                      char separator, const TReportOptions& report)
{
    for (const TReportRow& row : ReportRows(report)) {
        out += row.Label;
        if (row.Kind == TReportLineKind::rlValue) {
            out += FormatReportNumber(ReportRowValue(row, inputs, results), separator, row.Decimals);
            out += row.Unit;
        }
        out += '\n';
    }
}

void AppendDesignJson(std::string& out, const TAntennaInputs& inputs, const TAntennaResults& results,
                      char separator, const TReportOptions& report)
{
    const DesignJsonPieces& pieces = JsonPieces(report);
    // A value line's number is written straight into the output when its
    // characters (digits, sign, "E" and the separator) need no escaping, as
    // the label and unit around it do not; otherwise the line's text is
    // escaped as a whole.
    const bool plain = pieces.plainTexts && IsPlainJsonText(std::string_view(&separator, 1));
    // Room for the pieces and every number and run (the line objects and
    // runs of the fixed lines are in the pieces).
    constexpr std::size_t kLineBytes = kReportNumberMaxBytes + 2 * kRunMaxBytes + 16;
    constexpr std::size_t kValueBytes = (kInputCount + kResultCount) * kJsonDoubleMaxBytes;
    // A line escaped as a whole and its JSON; they keep their buffers.
    thread_local TReportLine line;
    thread_local std::string escaped;
    DirectWriter writer(out);
    char* at = writer.Room(pieces.fixedBytes + kValueBytes + kReportLineCount * kLineBytes + 64);
    at = DirectWriter::Put(at, "{\"inputs\":");
    at = WriteInputsObject(at, inputs);
    at = DirectWriter::Put(at, ",\"results\":");
    at = WriteResultsObject(at, results);
    at = DirectWriter::Put(at, ",\"report\":[");
    for (std::size_t i = 0; i < kReportLineCount; ++i) {
        const TReportRow& row = ReportRows(report)[i];
        at = DirectWriter::Put(at, pieces.rowObjects[i]);
        if (row.Kind != TReportLineKind::rlValue)
            continue;
        const double value = ReportRowValue(row, inputs, results);
        if (plain) {
            at = DirectWriter::Put(at, pieces.labels[i]);
            char* const number = at;
            at = WriteReportNumber(at, value, separator, row.Decimals);
            const auto runs = ValueLineRuns(row.LabelCharacters, static_cast<int>(at - number), row.UnitCharacters);
            at = DirectWriter::Put(at, pieces.unitTails[i]);
            at = WriteRuns(at, runs.data(), runs.size());
            continue;
        }
        char number[kReportNumberMaxBytes];
        const char* const numberEnd = WriteReportNumber(number, value, separator, row.Decimals);
        FillReportLine(row, std::string_view(number, static_cast<std::size_t>(numberEnd - number)), line);
        escaped.clear();
        AppendJsonString(escaped, line.Text);
        AppendRuns(escaped, line.Runs);
        writer.Wrote(at);
        writer.Put(escaped);
        at = writer.Room(pieces.fixedBytes + (kReportLineCount - i) * kLineBytes + 64);
    }
    at = DirectWriter::Put(at, "],\"notice\":");
    at = DirectWriter::Put(at, PitchNeedsNotice(inputs) ? std::string_view(pieces.notice) : std::string_view("null"));
    *at++ = '}';
    writer.Wrote(at);
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
