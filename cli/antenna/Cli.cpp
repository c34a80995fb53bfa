// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cli.h"

#include "Bands.h"
#include "Batch.h"
#include "CommandLine.h"
#include "DecimalSeparator.h"
#include "DesignCsv.h"
#include "DesignFile.h"
#include "DesignService.h"
#include "Exceptions.h"
#include "Formats.h"
#include "NumberConversion.h"
#include "Report.h"
#include "SaveReport.h"
#include "Solve.h"
#include "Sweep.h"
#include "UsageError.h"
#include "Utf8.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>
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

// The field-not-a-number message, with a hint when the text would read with
// a comma as the separator.
int NotANumber(std::ostream& err, std::size_t field, const std::string& text, char separator)
{
    const TInputInfo& info = InputTable().at(field);
    err << kProgram << ": " << info.argument << " (" << info.component << ", " << info.words
        << ") is not a number: " << QuoteTyped(text) << '\n';
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
    BatchCounts counts;
    try {
        counts = RunBatch(streams.in, streams.out, separator);
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
        base = ReadFieldTexts(texts, separator);
    } catch (const Exception& failure) {
        return Fault(streams.err, failure.what());
    }
    if (base.badField)
        return NotANumber(streams.err, *base.badField, texts[*base.badField], separator);
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
    const TSweepCounts counts = WriteSweep(plan, base, separator, format, streams.out);
    const int outputError = errno;
    if (counts.notices > 0)
        Warn(streams.err, std::string(kPitchNotice) + " (" + std::to_string(counts.notices) + " of " +
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
        Warn(streams.err, kPitchNotice);
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
    if (outcome.solutions.empty())
        streams.err << kProgram << ": " << NoSolutionMessage(command, outcome) << '\n';
    std::string output;
    AppendSolutions(output, command, outcome, options.format);
    return WriteAll(streams.out, streams.err, output) ? kExitSuccess : kExitFault;
}

int RunSingle(const CliOptions& options, char separator, const CliStreams& streams)
{
    std::string output;
    try {
        const TFieldTexts texts = TextsOf(options.fieldTexts);
        const TFieldReading reading = ReadFieldTexts(texts, separator);
        if (reading.badField)
            return NotANumber(streams.err, *reading.badField, texts[*reading.badField], separator);
        const TDesign design = CalculateDesign(reading.inputs);
        if (design.pitchNotice)
            Warn(streams.err, kPitchNotice);
        if (design.fault)
            return Fault(streams.err, design.fault->message);
        const TAntennaInputs& inputs = design.inputs;
        const TAntennaResults& results = *design.results;

        switch (options.format) {
        case OutputFormat::Text:
            if (!options.outputPath)
                AppendReportText(output, inputs, results, separator);
            break;
        case OutputFormat::Json:
            AppendDesignJson(output, inputs, results, separator);
            output += '\n';
            break;
        case OutputFormat::Csv:
            AppendCsvHeader(output);
            AppendCsvRow(output, inputs, results);
            break;
        }
        if (options.outputPath)
            SaveReport(*options.outputPath, BuildReport(inputs, results, separator));
    } catch (const Exception& failure) {
        return Fault(streams.err, failure.what());
    }
    return WriteAll(streams.out, streams.err, output) ? kExitSuccess : kExitFault;
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
        return fail(DesignFileFaultEnglish(reading));
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

        if (const std::optional<std::string> clash = StudyModeClash(options))
            return Usage(streams.err, *clash);
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
        return RunSingle(options, separator, streams);
    } catch (const std::bad_alloc&) {
        streams.err << kProgram << ": out of memory\n";
        return kExitFault;
    } catch (const std::exception& error) {
        streams.err << kProgram << ": " << error.what() << '\n';
        return kExitFault;
    }
}

} // namespace eh::cli
