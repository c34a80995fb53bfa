// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cli.h"

#include "Bands.h"
#include "Batch.h"
#include "CommandLine.h"
#include "DecimalSeparator.h"
#include "DesignCsv.h"
#include "DesignFile.h"
#include "DesignService.h"
#include "DesignTables.h"
#include "Exceptions.h"
#include "Formats.h"
#include "InputText.h"
#include "Measured.h"
#include "NumberConversion.h"
#include "Report.h"
#include "SaveReport.h"
#include "Solve.h"
#include "Sweep.h"
#include "UsageError.h"
#include "Utf8.h"
#include "WireGauge.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>
#include <variant>
#include <new>

namespace eh::cli {

namespace {

// A fault as the failure box would show it.
int Fault(std::ostream& err, const std::string& message)
{
    err << kProgram << ": " << FailureText(message) << '\n';
    return kExitFault;
}

void Warn(std::ostream& err, const std::string& message) { err << kProgram << ": warning: " << message << '\n'; }

TReportOptions ReportOptionsOf(const CliOptions& options)
{
    return {options.language.value_or(kDefaultLanguage), options.lengths.value_or(TLengthUnit::Millimetre)};
}

// The tool reads a wire gauge as the wire diameter in either unit.
TFieldTextOptions FieldTextOptionsOf(const CliOptions& options)
{
    return {options.lengths.value_or(TLengthUnit::Millimetre), true};
}

std::string PitchNotice(const CliOptions& options)
{
    return LocalText("notice.pitch", options.language.value_or(kDefaultLanguage));
}

// The field-not-a-number message, with a hint when the text would read with
// a comma as the separator.
int NotANumber(std::ostream& err, std::size_t field, const std::string& text, char separator, TLengthUnit lengths)
{
    const TInputInfo& info = InputTable().at(field);
    std::string words = info.words;
    if (lengths == TLengthUnit::Inch && IsLength(info) && words.ends_with(" mm"))
        words.replace(words.size() - 2, 2, "inches");
    err << kProgram << ": " << info.argument << " (" << info.component << ", " << words
        << ") is not a number: " << QuoteTyped(text) << '\n';
    if (TakesWireGauge(info) && LooksLikeWireGauge(text)) {
        err << kProgram << ": hint: a wire gauge is 0000 to 40: \"14 AWG\", \"AWG14\", \"#14\", \"4/0\"\n";
        return kExitUsage;
    }
    if (separator != ',' && text.find_first_of(".,") != std::string::npos) {
        bool readsWithComma = false;
        try {
            ConvertFieldText(text, ',');
            readsWithComma = true;
        } catch (const Exception&) {
        }
        if (readsWithComma)
            err << kProgram << ": hint: the decimal separator is '" << separator
                << "'; the text reads as a number with --separator ,\n";
    }
    return kExitUsage;
}

// The seven texts: the positional arguments, the bandwidth "0" when absent.
TFieldTexts TextsOf(const std::vector<std::string>& given)
{
    TFieldTexts texts;
    for (std::size_t i = 0; i < kInputCount; ++i)
        texts[i] = i < given.size() ? given[i] : "0";
    return texts;
}

// Standard output failed; `error` is the system's error number of the
// failed write (0 when none is known).
int CannotWriteOutput(std::ostream& err, int error)
{
    err << kProgram << ": cannot write the output";
    if (error != 0)
        err << ": " << std::strerror(error);
    err << '\n';
    return kExitFault;
}

bool WriteAll(std::ostream& out, std::ostream& err, const std::string& text)
{
    errno = 0;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
        CannotWriteOutput(err, errno);
        return false;
    }
    return true;
}

int RunBatchMode(const CliOptions& options, char separator, const CliStreams& streams)
{
    if (!options.fieldTexts.empty())
        return Usage(streams.err, "--batch takes no field arguments (the requests come on standard input)");
    if (options.sweep)
        return Usage(streams.err, "--batch and --sweep cannot be combined");
    if (options.outputPath)
        return Usage(streams.err, "--batch cannot save a report file (--output)");
    if (options.formatGiven && options.format != OutputFormat::Json)
        return Usage(streams.err, "--batch writes JSON Lines only (--format json)");
    if (options.lengths)
        return Usage(streams.err, "--batch reads its requests in millimetres (--units)");
    BatchCounts counts;
    try {
        counts = RunBatch(streams.in, streams.out, separator, kMaxBatchLineBytes,
                          options.language.value_or(kDefaultLanguage));
    } catch (const std::ios_base::failure& failure) {
        streams.err << kProgram << ": cannot read the standard input: " << failure.code().message() << '\n';
        return kExitFault;
    }
    errno = counts.outputError;
    streams.out.flush();
    if (!streams.out)
        return CannotWriteOutput(streams.err, errno);
    return kExitSuccess;
}

// The six inputs besides `varied`, whose own argument is not read (it is
// written "_"); on a field that is not a number or a fault, the exit code.
std::optional<int> ReadOtherInputs(const CliOptions& options, std::size_t varied, char separator,
                                   const CliStreams& streams, TAntennaInputs& inputs)
{
    TFieldTexts texts = TextsOf(options.fieldTexts);
    texts[varied] = "0";
    TFieldReading base;
    try {
        base = ReadFieldTexts(texts, separator, FieldTextOptionsOf(options));
    } catch (const Exception& failure) {
        return Fault(streams.err, failure.what());
    }
    if (base.badField)
        return NotANumber(streams.err, *base.badField, texts[*base.badField], separator,
                          options.lengths.value_or(TLengthUnit::Millimetre));
    inputs = base.inputs;
    return std::nullopt;
}

int RunSweepMode(const CliOptions& options, char separator, const CliStreams& streams)
{
    if (options.outputPath)
        return Usage(streams.err, "--sweep cannot save a report file (--output)");
    if (options.formatGiven && options.format == OutputFormat::Text)
        return Usage(streams.err, "--sweep writes csv or json, not text");
    const OutputFormat format = options.formatGiven ? options.format : OutputFormat::Csv;

    TSweepPlan plan;
    try {
        plan = ParseSweep(*options.sweep, separator);
    } catch (const UsageError& error) {
        return Usage(streams.err, error.what());
    }
    TAntennaInputs base;
    if (const std::optional<int> exit = ReadOtherInputs(options, plan.input, separator, streams, base))
        return *exit;

    errno = 0;
    const TSweepCounts counts = WriteSweep(plan, base, separator, format, streams.out, ReportOptionsOf(options));
    const int outputError = errno;
    if (counts.notices > 0)
        Warn(streams.err, PitchNotice(options) + " (" + std::to_string(counts.notices) + " of " +
                              std::to_string(counts.points) + " rows)");
    if (!streams.out)
        return CannotWriteOutput(streams.err, outputError);
    return kExitSuccess;
}

// Options of the band and solve modes given where they mean nothing, or two
// modes at once (--batch with --sweep is told apart by the batch mode).
std::optional<std::string> StudyModeClash(const CliOptions& options)
{
    const std::pair<bool, const char*> modes[] = {
        {options.batch, "--batch"}, {options.sweep.has_value(), "--sweep"}, {options.bands, "--bands"},
        {options.solve.has_value(), "--solve"}};
    const char* first = nullptr;
    for (const auto& [given, name] : modes) {
        if (!given)
            continue;
        if (first && (options.bands || options.solve))
            return std::string(first) + " and " + name + " cannot be combined";
        first = first ? first : name;
    }
    if (options.region && !options.bands)
        return "--region is an option of --bands";
    if (options.target && !options.solve)
        return "--target is an option of --solve";
    return std::nullopt;
}

int RunBandsMode(const CliOptions& options, char separator, const CliStreams& streams)
{
    if (options.outputPath)
        return Usage(streams.err, "--bands cannot save a report file (--output)");
    TIaruRegion region = kDefaultRegion;
    try {
        if (options.region)
            region = ParseRegion(*options.region);
    } catch (const UsageError& error) {
        return Usage(streams.err, error.what());
    }
    constexpr std::size_t kFrequency = 0; // the band sets it
    TAntennaInputs typed;
    if (const std::optional<int> exit = ReadOtherInputs(options, kFrequency, separator, streams, typed))
        return *exit;
    if (PitchNeedsNotice(typed))
        Warn(streams.err, PitchNotice(options));
    std::string output;
    AppendBandCoverage(output, CoverBands(region, typed), region, options.format, separator);
    return WriteAll(streams.out, streams.err, output) ? kExitSuccess : kExitFault;
}

int RunSolveMode(const CliOptions& options, char separator, const CliStreams& streams)
{
    if (options.outputPath)
        return Usage(streams.err, "--solve cannot save a report file (--output)");
    if (!options.target)
        return Usage(streams.err, "--solve needs --target RESULT=VALUE");
    TSolveCommand command;
    try {
        command = ParseSolve(*options.solve, *options.target, separator);
    } catch (const UsageError& error) {
        return Usage(streams.err, error.what());
    }
    TAntennaInputs base;
    if (const std::optional<int> exit = ReadOtherInputs(options, command.plan.input, separator, streams, base))
        return *exit;
    const TSolveOutcome outcome = SolveForTarget({command.plan, base, command.result, command.target});
    if (outcome.faultedPoints > 0 && outcome.lowestResult) // not when every point faulted: said below
        Warn(streams.err, "the design faults at " + std::to_string(outcome.faultedPoints) + " of " +
                              std::to_string(command.plan.points) +
                              " points of the range; no solution is known between them");
    if (outcome.standInPoints > 0 && outcome.lowestResult)
        Warn(streams.err, std::string(ResultTable()[command.result].member) + " has no figure at " +
                              std::to_string(outcome.standInPoints) + " of " + std::to_string(command.plan.points) +
                              " points of the range (no measured bandwidth); no solution is known across them");
    if (outcome.solutions.empty())
        streams.err << kProgram << ": " << NoSolutionMessage(command, outcome) << '\n';
    std::string output;
    AppendSolutions(output, command, outcome, options.format);
    return WriteAll(streams.out, streams.err, output) ? kExitSuccess : kExitFault;
}

int RunSingle(const CliOptions& options, const TFieldTexts& texts, char separator, const CliStreams& streams)
{
    std::string output;
    try {
        const TFieldReading reading = ReadFieldTexts(texts, separator, FieldTextOptionsOf(options));
        if (reading.badField)
            return NotANumber(streams.err, *reading.badField, texts[*reading.badField], separator,
                              options.lengths.value_or(TLengthUnit::Millimetre));
        const TDesign design = CalculateDesign(reading.inputs);
        if (design.pitchNotice)
            Warn(streams.err, PitchNotice(options));
        if (design.fault)
            return Fault(streams.err, design.fault->message);
        const TAntennaInputs& inputs = design.inputs;
        const TAntennaResults& results = *design.results;
        const TReportOptions report = ReportOptionsOf(options);

        switch (options.format) {
        case OutputFormat::Text:
            if (!options.outputPath)
                AppendReportText(output, inputs, results, separator, report);
            break;
        case OutputFormat::Json:
            AppendDesignJson(output, inputs, results, separator, report);
            output += '\n';
            break;
        case OutputFormat::Csv:
            AppendCsvHeader(output);
            AppendCsvRow(output, inputs, results);
            break;
        }
        if (options.outputPath)
            SaveReport(*options.outputPath, BuildReport(inputs, results, separator, report));
    } catch (const Exception& failure) {
        return Fault(streams.err, failure.what());
    }
    return WriteAll(streams.out, streams.err, output) ? kExitSuccess : kExitFault;
}

// --measured and --bandwidth-from stand alone: neither takes another mode.
std::optional<std::string> MeasuredModeClash(const CliOptions& options)
{
    const char* measured = options.measured ? "--measured" : options.bandwidthFrom ? "--bandwidth-from" : nullptr;
    if (measured == nullptr)
        return std::nullopt;
    const std::pair<bool, const char*> others[] = {
        {options.measured && options.bandwidthFrom, "--bandwidth-from"}, {options.batch, "--batch"},
        {options.sweep.has_value(), "--sweep"}, {options.bands, "--bands"}, {options.solve.has_value(), "--solve"}};
    for (const auto& [given, name] : others)
        if (given)
            return std::string(measured) + " and " + name + " cannot be combined";
    return std::nullopt;
}

int RunMeasuredMode(const CliOptions& options, const CliStreams& streams)
{
    if (!options.fieldTexts.empty())
        return Usage(streams.err, "--measured takes no field texts (the sweep comes from the file)");
    if (options.outputPath)
        return Usage(streams.err, "--measured cannot save a report file (--output)");
    std::variant<TMeasuredSweep, std::string> read = ReadMeasuredFile(*options.measured);
    if (const std::string* refusal = std::get_if<std::string>(&read)) {
        streams.err << kProgram << ": " << *refusal << '\n';
        return kExitUsage;
    }
    const TMeasuredSweep& sweep = std::get<TMeasuredSweep>(read);
    errno = 0;
    if (!WriteMeasurement(streams.out, sweep, AnalyseResonance(sweep), options.format))
        return CannotWriteOutput(streams.err, errno);
    return kExitSuccess;
}

// The design with the seventh field holding the bandwidth the file gives,
// as the text BandwidthFieldText writes: the same design as typing it.
int RunBandwidthFromMode(const CliOptions& options, char separator, const CliStreams& streams)
{
    if (options.fieldTexts.size() != kOptionalField)
        return Usage(streams.err, "--bandwidth-from takes the bandwidth from the file: expected the " +
                                      std::to_string(kOptionalField) + " other field texts, got " +
                                      std::to_string(options.fieldTexts.size()));
    std::variant<TMeasuredSweep, std::string> read = ReadMeasuredFile(*options.bandwidthFrom);
    if (const std::string* refusal = std::get_if<std::string>(&read)) {
        streams.err << kProgram << ": " << *refusal << '\n';
        return kExitUsage;
    }
    const TResonanceAnalysis analysis = AnalyseResonance(std::get<TMeasuredSweep>(read));
    const std::optional<std::string> bandwidth = BandwidthFieldText(analysis);
    if (!bandwidth) {
        streams.err << kProgram << ": " << QuoteTyped(*options.bandwidthFrom) << " gives no bandwidth: "
                    << NotesText(analysis) << '\n';
        return kExitFault;
    }
    TFieldTexts texts = TextsOf(options.fieldTexts);
    texts[kOptionalField] = *bandwidth;
    return RunSingle(options, texts, separator, streams);
}

} // namespace

std::string QuoteTyped(const std::string& text)
{
    constexpr std::size_t kShownBytes = 100;
    std::string quoted = "\"" + EscapeTyped(std::string_view(text).substr(0, kShownBytes)) + "\"";
    if (text.size() > kShownBytes)
        quoted += "... (" + std::to_string(text.size()) + " bytes)";
    return quoted;
}

// The field texts of the design file --design names, in place of the
// arguments; on a file that is no design file, the exit code.
std::optional<int> ReadDesignOption(CliOptions& options, char separator, std::ostream& err)
{
    const std::string& path = *options.design;
    const auto fail = [&](const std::string& reason) {
        err << kProgram << ": --design " << QuoteTyped(path) << ": " << reason << '\n';
        return kExitUsage;
    };
    if (!options.fieldTexts.empty())
        return Usage(err, "--design takes the place of the field texts: give one or the other");
    std::error_code error;
    // A pipe or a device would be read without end.
    if (!std::filesystem::is_regular_file(path, error))
        return fail(error ? error.message() : "not a regular file");
    std::ifstream file(path, std::ios::binary);
    std::string bytes(kMaxDesignFileBytes + 1, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad() || (!file && !file.eof()))
        return fail("cannot be read");
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    const TDesignFileReading reading = ReadDesignFile(bytes, separator);
    if (!reading.design)
        return fail(DesignFileFault(reading, TLanguage::English));
    options.fieldTexts.assign(reading.design->texts.begin(), reading.design->texts.end());
    return std::nullopt;
}

int Usage(std::ostream& err, const std::string& message)
{
    err << kProgram << ": " << message << "\nRun with --help for more information.\n";
    return kExitUsage;
}

int RunCli(const std::vector<std::string>& args, const CliStreams& streams)
{
    try {
        const ParsedCommandLine parsed = ParseCommandLine(args, streams.err);
        if (parsed.exitCode) {
            if (*parsed.exitCode == kExitSuccess && !WriteAll(streams.out, streams.err, parsed.standardOutput))
                return kExitFault;
            return *parsed.exitCode;
        }
        CliOptions options = parsed.options;
        const char separator = options.separator ? *options.separator : SystemDecimalSeparator();
        if (options.design) {
            if (options.batch)
                return Usage(streams.err, "--batch and --design cannot be combined");
            if (const std::optional<int> exit = ReadDesignOption(options, separator, streams.err))
                return *exit;
        }

        if (const std::optional<std::string> clash = MeasuredModeClash(options))
            return Usage(streams.err, *clash);
        if (const std::optional<std::string> clash = StudyModeClash(options))
            return Usage(streams.err, *clash);
        if (options.measured)
            return RunMeasuredMode(options, streams);
        if (options.batch)
            return RunBatchMode(options, separator, streams);
        const std::size_t count = options.fieldTexts.size();
        if (count < kOptionalField)
            return Usage(streams.err, "expected " + std::to_string(kOptionalField) + " or " +
                                          std::to_string(kInputCount) + " field texts (" + FieldArguments() +
                                          "), got " + std::to_string(count));
        if (options.sweep)
            return RunSweepMode(options, separator, streams);
        if (options.bands)
            return RunBandsMode(options, separator, streams);
        if (options.solve)
            return RunSolveMode(options, separator, streams);
        if (options.bandwidthFrom)
            return RunBandwidthFromMode(options, separator, streams);
        return RunSingle(options, TextsOf(options.fieldTexts), separator, streams);
    } catch (const std::bad_alloc&) {
        streams.err << kProgram << ": out of memory\n";
        return kExitFault;
    } catch (const std::exception& error) {
        streams.err << kProgram << ": " << error.what() << '\n';
        return kExitFault;
    }
}

} // namespace eh::cli
