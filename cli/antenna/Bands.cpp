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

namespace eh::cli {

namespace {

constexpr std::array<const char*, 6> kColumns = {"band", "low_khz", "high_khz", "bandwidth_khz", "covers",
                                                 "settings"};

std::string BandName(const TAmateurBand& band) { return std::to_string(band.metres) + "m"; }

std::string ShortestNumber(double value, char separator)
{
    std::string text;
    AppendCsvNumber(text, value);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

// `value` as `append` writes it, or `absent` when there is none.
template <class T, class Append>
void AppendOptional(std::string& out, const std::optional<T>& value, Append append, std::string_view absent)
{
    if (value)
        append(out, *value);
    else
        out += absent;
}

void AppendJson(std::string& out, const TBandCoverage& row)
{
    out += "{\"band\":";
    AppendJsonString(out, BandName(row.band));
    out += ",\"low_khz\":";
    AppendJsonDouble(out, row.band.lowKHz);
    out += ",\"high_khz\":";
    AppendJsonDouble(out, row.band.highKHz);
    out += ",\"bandwidth_khz\":";
    AppendOptional(out, row.bandwidthKHz, AppendJsonDouble, "null");
    out += row.covers ? ",\"covers\":true" : ",\"covers\":false";
    out += ",\"settings\":";
    AppendOptional(out, row.settings, AppendUnsigned, "null");
    if (row.centre.fault) {
        // The tool's error object, {"error":{...}}, as a member of this one.
        std::string error;
        AppendErrorJson(error, row.centre.fault->kind, row.centre.fault->message);
        out += ',';
        out.append(error, 1, error.size() - 2);
    }
    out += "}\n";
}

void AppendCsv(std::string& out, const TBandCoverage& row)
{
    out += BandName(row.band) + ',';
    AppendCsvNumber(out, row.band.lowKHz);
    out += ',';
    AppendCsvNumber(out, row.band.highKHz);
    out += ',';
    AppendOptional(out, row.bandwidthKHz, AppendCsvNumber, "");
    out += row.covers ? ",true," : ",false,";
    AppendOptional(out, row.settings, AppendUnsigned, "");
    out += '\n';
}

// The columns padded to their widest cell: the band left, the numbers right.
void AppendText(std::string& out, const std::vector<TBandCoverage>& table, TIaruRegion region, char separator)
{
    std::vector<std::array<std::string, kColumns.size()>> cells;
    cells.push_back({"Band", "Low kHz", "High kHz", "Bandwidth kHz", "Covers", "Settings"});
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
        for (std::size_t c = 0; c < kColumns.size(); ++c)
            out += std::string(c > 0 ? "," : "") + kColumns[c];
        out += '\n';
        for (const TBandCoverage& row : table)
            AppendCsv(out, row);
        return;
    }
}

} // namespace eh::cli
