// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bands.h"

#include "Cli.h"
#include "DesignCsv.h"
#include "Exceptions.h"
#include "Formats.h"
#include "JsonText.h"
#include "NumberFormat.h"
#include "UsageError.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <type_traits>
#include <variant>

namespace eh::cli {

namespace {

std::string BandName(const TAmateurBand& band) { return std::to_string(band.metres) + "m"; }

// One cell of a row: a word, a number, a yes or no, a count, or nothing
// (JSON's null, an empty CSV cell).
using Cell = std::variant<std::monostate, std::string, double, bool, std::uint64_t>;

template <class T>
Cell OptionalCell(const std::optional<T>& value)
{
    return value ? Cell(*value) : Cell();
}

// The row: each column's name, its heading in the text table, and its cell.
struct Column {
    const char* name;
    const char* heading;
    Cell (*cell)(const TBandCoverage& row);
};

const std::array<Column, 6> kColumns = {{
    {"band", "Band", [](const TBandCoverage& row) { return Cell(BandName(row.band)); }},
    {"low_khz", "Low kHz", [](const TBandCoverage& row) { return Cell(row.band.lowKHz); }},
    {"high_khz", "High kHz", [](const TBandCoverage& row) { return Cell(row.band.highKHz); }},
    {"bandwidth_khz", "Bandwidth kHz", [](const TBandCoverage& row) { return OptionalCell(row.bandwidthKHz); }},
    {"covers", "Covers", [](const TBandCoverage& row) { return Cell(row.covers); }},
    {"settings", "Settings", [](const TBandCoverage& row) { return OptionalCell(row.settings); }},
}};

std::string ShortestNumber(double value, char separator)
{
    std::string text;
    AppendCsvNumber(text, value);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

void AppendJsonCell(std::string& out, const Cell& cell)
{
    std::visit(
        [&out](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                out += "null";
            else if constexpr (std::is_same_v<T, std::string>)
                AppendJsonString(out, value);
            else if constexpr (std::is_same_v<T, double>)
                AppendJsonDouble(out, value);
            else if constexpr (std::is_same_v<T, bool>)
                out += value ? "true" : "false";
            else
                AppendUnsigned(out, value);
        },
        cell);
}

void AppendCsvCell(std::string& out, const Cell& cell)
{
    std::visit(
        [&out](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>)
                out += value;
            else if constexpr (std::is_same_v<T, double>)
                AppendCsvNumber(out, value);
            else if constexpr (std::is_same_v<T, bool>)
                out += value ? "true" : "false";
            else if constexpr (std::is_same_v<T, std::uint64_t>)
                AppendUnsigned(out, value);
        },
        cell);
}

void AppendJson(std::string& out, const TBandCoverage& row)
{
    char separator = '{';
    for (const Column& column : kColumns) {
        out += separator;
        separator = ',';
        AppendJsonString(out, column.name);
        out += ':';
        AppendJsonCell(out, column.cell(row));
    }
    if (row.centre.fault) {
        // The tool's error object, {"error":{...}}, as a member of this one.
        std::string error;
        AppendErrorJson(error, FaultKindName(row.centre.fault->kind), row.centre.fault->message);
        out += ',';
        out.append(error, 1, error.size() - 2);
    }
    out += "}\n";
}

void AppendCsvHeader(std::string& out)
{
    for (const Column& column : kColumns) {
        if (&column != &kColumns.front())
            out += ',';
        out += column.name;
    }
    out += '\n';
}

void AppendCsv(std::string& out, const TBandCoverage& row)
{
    for (const Column& column : kColumns) {
        if (&column != &kColumns.front())
            out += ',';
        AppendCsvCell(out, column.cell(row));
    }
    out += '\n';
}

// The columns padded to their widest cell: the band left, the numbers right.
void AppendText(std::string& out, const std::vector<TBandCoverage>& table, TIaruRegion region, char separator)
{
    std::vector<std::array<std::string, kColumns.size()>> cells(1);
    for (std::size_t c = 0; c < kColumns.size(); ++c)
        cells[0][c] = kColumns[c].heading;
    for (const TBandCoverage& row : table) {
        cells.push_back({BandName(row.band), ShortestNumber(row.band.lowKHz, separator),
                         ShortestNumber(row.band.highKHz, separator),
                         row.bandwidthKHz ? FormatReportNumber(*row.bandwidthKHz, separator) : "fault",
                         row.covers ? "yes" : "no", row.settings ? std::to_string(*row.settings) : "-"});
    }
    std::array<std::size_t, kColumns.size()> widths{};
    for (const auto& line : cells) {
        for (std::size_t c = 0; c < line.size(); ++c)
            widths[c] = std::max(widths[c], line[c].size());
    }
    out += "IARU Region " + std::to_string(static_cast<int>(region)) +
           ": the design tuned to the centre of each band\n";
    for (std::size_t r = 0; r < cells.size(); ++r) {
        std::string line;
        for (std::size_t c = 0; c < kColumns.size(); ++c) {
            const std::string& cell = cells[r][c];
            const std::string padding(widths[c] - cell.size(), ' ');
            if (c > 0)
                line += "  ";
            // The band and the yes/no are words, read from the left.
            line += c == 0 || c == 4 ? cell + padding : padding + cell;
        }
        if (r > 0 && table[r - 1].centre.fault)
            line += "  " + FailureText(table[r - 1].centre.fault->message);
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + '\n';
    }
}

} // namespace

TIaruRegion ParseRegion(std::string_view text)
{
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '3')
        return *IaruRegion(text[0] - '0');
    throw UsageError("--region: expected 1, 2 or 3, got " + QuoteTyped(std::string(text)));
}

void AppendBandCoverage(std::string& out, const std::vector<TBandCoverage>& table, TIaruRegion region,
                        OutputFormat format, char separator)
{
    switch (format) {
    case OutputFormat::Text:
        AppendText(out, table, region, separator);
        return;
    case OutputFormat::Json:
        for (const TBandCoverage& row : table)
            AppendJson(out, row);
        return;
    case OutputFormat::Csv:
        AppendCsvHeader(out);
        for (const TBandCoverage& row : table)
            AppendCsv(out, row);
        return;
    }
}

} // namespace eh::cli
