// SPDX-License-Identifier: GPL-3.0-or-later
#include "Measured.h"

#include "Cli.h"
#include "JsonText.h"
#include "NumberFormat.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>

namespace eh::cli {

namespace {

std::string Reason(const TTouchstoneRefusal& refusal)
{
    switch (refusal.fault) {
    case TTouchstoneFault::Empty:
        return "no data points";
    case TTouchstoneFault::Binary:
        return "not a Touchstone text file (binary data)";
    case TTouchstoneFault::TooLarge:
        return "larger than " + std::to_string(kTouchstoneMaxBytes >> 20) + " MiB";
    case TTouchstoneFault::TooManyPoints:
        return "more than " + std::to_string(kTouchstoneMaxPoints) + " points";
    case TTouchstoneFault::BadOptionLine:
        return "an option line that is not understood (expected one like \"# MHZ S RI R 50\", before the data)";
    case TTouchstoneFault::NotOnePort:
        return "not a one-port sweep (an .s1p file is needed)";
    case TTouchstoneFault::WrongColumnCount:
        return "a data line needs three numbers: frequency and two of the value";
    case TTouchstoneFault::NotANumber:
        return "not a number";
    case TTouchstoneFault::NotFinite:
        return "a number that is infinite or not defined (nan, inf)";
    case TTouchstoneFault::FrequencyNotPositive:
        return "the frequency is not above zero";
    case TTouchstoneFault::DuplicateFrequency:
        return "the same frequency as the line before";
    case TTouchstoneFault::FrequencyOutOfOrder:
        return "a frequency below the line before (frequencies must rise)";
    case TTouchstoneFault::BadReference:
        return "the reference resistance is not a positive number";
    case TTouchstoneFault::BadKeyword:
        return "a Touchstone 2.0 keyword that a one-port sweep does not take here";
    case TTouchstoneFault::CountMismatch:
        return std::to_string(refusal.count) + " points, not as many as [Number of Frequencies] says";
    case TTouchstoneFault::TooFewPoints:
        return std::to_string(refusal.count) + " points; the analysis needs at least " +
               std::to_string(kTouchstoneMinPoints);
    }
    return {};
}

std::string NoteText(TMeasurementNote note)
{
    switch (note) {
    case TMeasurementNote::MinimumAtLowEnd:
        return "The smallest reflection is at the low end of the sweep: the resonance lies below it; widen the sweep.";
    case TMeasurementNote::MinimumAtHighEnd:
        return "The smallest reflection is at the high end of the sweep: the resonance lies above it; widen the "
               "sweep.";
    case TMeasurementNote::NoPowerAccepted:
        return "The reflection is 1 or more everywhere: the antenna takes no power, there is no resonance.";
    case TMeasurementNote::ReflectionAboveOne:
        return "Some reflections are above 1: the analyser was not calibrated; the figures are uncertain.";
    case TMeasurementNote::ResistanceNotPositive:
        return "The resistance at the resonance is not positive (calibrate the analyser): no Q.";
    case TMeasurementNote::SlopeNotDefined:
        return "The impedance has no slope to fit at the resonance: no Q.";
    case TMeasurementNote::FewPointsAcrossBand:
        return "Few points across the resonance: Q is less certain; narrow the sweep or add points.";
    case TMeasurementNote::SwrSpanNotReached:
        return "The SWR never falls to 2.618.";
    case TMeasurementNote::SwrSpanBeyondSweep:
        return "The SWR <= 2.618 span runs past the sweep.";
    case TMeasurementNote::Swr2SpanNotReached:
        return "The SWR never falls to 2.";
    case TMeasurementNote::Swr2SpanBeyondSweep:
        return "The 2:1 SWR span runs past the sweep.";
    case TMeasurementNote::NotOneResonance:
        return "The points around the dip do not follow one resonance (several resonances, a loose "
               "connection?): no Q.";
    }
    return {};
}

constexpr const char* kMethod =
    "Q from the slope of the feed impedance at the resonance, Q = w0 |Z'(w0)| / (2 R(w0)) (Yaghjian and Best, "
    "IEEE Trans. Antennas Propag. 53(4), 2005), Z' from a least-squares fit over the points of the resonance; "
    "3 dB bandwidth f0/Q";

std::string Shortest(double value)
{
    std::array<char, kShortestNumberMaxBytes> text{};
    return std::string(text.data(), WriteShortestNumber(text.data(), value));
}

std::string Fixed(double value, int places) { return fmt::format("{:.{}f}", value, places); }

void AppendJsonKey(std::string& out, const char* key)
{
    out += out.back() == '{' ? "\"" : ",\"";
    out += key;
    out += "\":";
}

void AppendJsonNumber(std::string& out, const char* key, std::optional<double> value)
{
    AppendJsonKey(out, key);
    if (value && std::isfinite(*value))
        AppendJsonDouble(out, *value);
    else
        out += "null";
}

std::optional<double> Scaled(std::optional<double> value, double unit)
{
    return value ? std::optional<double>(*value / unit) : std::nullopt;
}

std::optional<double> Width(const std::optional<TFrequencySpan>& span)
{
    return span ? std::optional<double>(span->WidthHz()) : std::nullopt;
}

std::string MeasurementJson(const TMeasuredSweep& sweep, const TResonanceAnalysis& a)
{
    std::string out = "{";
    AppendJsonKey(out, "points");
    AppendUnsigned(out, a.points);
    AppendJsonNumber(out, "reference_ohm", sweep.referenceOhm);
    AppendJsonNumber(out, "resonance_mhz", Scaled(a.resonanceHz, 1e6));
    AppendJsonNumber(out, "swr_min", a.swrMin);
    AppendJsonNumber(out, "r_ohm", a.resistanceOhm);
    AppendJsonNumber(out, "x_ohm", a.reactanceOhm);
    AppendJsonNumber(out, "q", a.q);
    AppendJsonNumber(out, "bandwidth_khz", Scaled(a.bandwidthHz, 1e3));
    AppendJsonKey(out, "bandwidth_field");
    if (const std::optional<std::string> field = BandwidthFieldText(a))
        AppendJsonString(out, *field);
    else
        out += "null";
    AppendJsonNumber(out, "swr_bandwidth_khz", Scaled(Width(a.swrSpan), 1e3));
    AppendJsonNumber(out, "swr2_bandwidth_khz", Scaled(Width(a.swr2Span), 1e3));
    AppendJsonKey(out, "points_above_one");
    AppendUnsigned(out, a.pointsAboveOne);
    AppendJsonKey(out, "method");
    AppendJsonString(out, kMethod);
    AppendJsonKey(out, "note");
    const std::string notes = NotesText(a);
    if (notes.empty())
        out += "null";
    else
        AppendJsonString(out, notes);
    out += "}\n";
    return out;
}

std::string SpanText(const std::optional<TFrequencySpan>& span)
{
    if (!span)
        return "none";
    return Fixed(span->WidthHz() / 1e3, 3) + " kHz (" + Fixed(span->lowHz / 1e6, 6) + " to " +
           Fixed(span->highHz / 1e6, 6) + " MHz)";
}

std::string MeasurementText(const TMeasuredSweep& sweep, const TResonanceAnalysis& a)
{
    const auto or_none = [](const std::optional<double>& value, double unit, int places, const char* suffix) {
        return value ? Fixed(*value / unit, places) + suffix : std::string("none");
    };
    std::string out;
    out += "Points: " + std::to_string(a.points) + ", " + Fixed(sweep.points.front().frequencyHz / 1e6, 6) +
           " to " + Fixed(sweep.points.back().frequencyHz / 1e6, 6) + " MHz, reference " +
           Shortest(sweep.referenceOhm) + " ohm\n";
    out += "Resonance: " + or_none(a.resonanceHz, 1e6, 6, " MHz") + "\n";
    out += "SWR: " + (std::isfinite(a.swrMin) ? Fixed(a.swrMin, 3) : std::string("infinite")) +
           (a.resonanceHz ? " at the resonance" : " (smallest in the sweep)") + "\n";
    out += "R: " + or_none(a.resistanceOhm, 1, 2, " ohm") + "\n";
    out += "X: " + or_none(a.reactanceOhm, 1, 2, " ohm") + "\n";
    out += "Q: " + or_none(a.q, 1, 2, "") + "\n";
    // The bandwidth exactly as --bandwidth-from puts it into the seventh field.
    const std::optional<std::string> bandwidth = BandwidthFieldText(a);
    out += "3 dB bandwidth (f0/Q): " + (bandwidth ? *bandwidth + " kHz" : std::string("none")) + "\n";
    out += "SWR <= 2.618: " + SpanText(a.swrSpan) + "\n";
    out += "SWR <= 2: " + SpanText(a.swr2Span) + "\n";
    out += std::string("Method: ") + kMethod + ".\n";
    for (const TMeasurementNote note : a.notes)
        out += "Note: " + NoteText(note) + "\n";
    return out;
}

void AppendCsvNumber(std::string& out, std::optional<double> value)
{
    out += ',';
    if (value && std::isfinite(*value)) {
        char buffer[kJsonDoubleMaxBytes];
        out.append(buffer, WriteJsonDouble(buffer, *value));
    }
}

bool WriteCsv(std::ostream& out, const TMeasuredSweep& sweep)
{
    constexpr std::size_t kChunkBytes = 1 << 20;
    std::string text = "frequency_hz,r_ohm,x_ohm,swr,return_loss_db\n";
    for (const TMeasuredPoint& point : sweep.points) {
        const TPointFigures figures = FiguresAt(point);
        char buffer[kJsonDoubleMaxBytes];
        text.append(buffer, WriteJsonDouble(buffer, figures.frequencyHz));
        AppendCsvNumber(text, figures.resistanceOhm);
        AppendCsvNumber(text, figures.reactanceOhm);
        AppendCsvNumber(text, figures.swr);
        AppendCsvNumber(text, figures.returnLossDb);
        text += '\n';
        if (text.size() >= kChunkBytes) {
            if (!out.write(text.data(), static_cast<std::streamsize>(text.size())))
                return false;
            text.clear();
        }
    }
    return static_cast<bool>(out.write(text.data(), static_cast<std::streamsize>(text.size())));
}

} // namespace

std::variant<TMeasuredSweep, std::string> ReadMeasuredFile(const std::string& path)
{
    const std::string name = QuoteTyped(path);
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "cannot read " + name + (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string());
    std::string bytes;
    std::error_code sizeUnknown;
    const std::uintmax_t size = std::filesystem::file_size(path, sizeUnknown);
    if (!sizeUnknown)
        bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, kTouchstoneMaxBytes) + 1));
    constexpr std::size_t kBlock = 1 << 20;
    while (file && bytes.size() <= kTouchstoneMaxBytes) {
        const std::size_t had = bytes.size();
        bytes.resize(had + kBlock);
        file.read(bytes.data() + had, static_cast<std::streamsize>(kBlock));
        bytes.resize(had + static_cast<std::size_t>(file.gcount()));
    }
    if (file.bad())
        return "cannot read " + name + (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string());
    TTouchstoneReading reading = ReadTouchstone(bytes);
    if (!reading.sweep) {
        const TTouchstoneRefusal& refusal = reading.refusal;
        return name + (refusal.line > 0 ? ", line " + std::to_string(refusal.line) : std::string()) + ": " +
               Reason(refusal);
    }
    return std::move(*reading.sweep);
}

std::string NotesText(const TResonanceAnalysis& analysis)
{
    std::string text;
    for (const TMeasurementNote note : analysis.notes)
        text += (text.empty() ? "" : " ") + NoteText(note);
    return text;
}

bool WriteMeasurement(std::ostream& out, const TMeasuredSweep& sweep, const TResonanceAnalysis& analysis,
                      OutputFormat format)
{
    if (format == OutputFormat::Csv)
        return WriteCsv(out, sweep) && out.flush();
    const std::string text =
        format == OutputFormat::Json ? MeasurementJson(sweep, analysis) : MeasurementText(sweep, analysis);
    return static_cast<bool>(out.write(text.data(), static_cast<std::streamsize>(text.size())).flush());
}

} // namespace eh::cli
