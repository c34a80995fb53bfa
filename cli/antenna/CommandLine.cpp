// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "Cli.h"
#include "DecimalSeparatorRule.h"
#include "DesignTables.h"
#include "InputKeys.h"
#include "Report.h"
#include "Sweep.h"
#include "Touchstone.h"
#include "TargetSolver.h"
#include "UsageError.h"
#include "Utf8.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>
#include <sstream>
#include <tuple>

namespace eh::cli {

namespace {

constexpr const char* kLicenceLine =
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>";

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Whether `arg`, left over by CLI11 before any "--", reads as an option:
// "--name..." or "-" and a letter. Anything else there ("-500", "-.5",
// "-e5" included) is a field text.
bool LooksLikeOption(const std::string& arg)
{
    return (arg.size() > 2 && arg[0] == '-' && arg[1] == '-') || (arg.size() >= 2 && arg[0] == '-' && IsLetter(arg[1]));
}

// The field texts among what CLI11 left over, in their order: everything
// after the first "--", and before it what does not read as an option.
// Throws UsageError for an unknown option.
std::vector<std::string> FieldTexts(const std::vector<std::string>& leftOver)
{
    std::vector<std::string> texts;
    bool optionsEnded = false;
    for (const std::string& arg : leftOver) {
        if (!optionsEnded && arg == "--")
            optionsEnded = true;
        else if (!optionsEnded && LooksLikeOption(arg))
            throw UsageError("unknown option " + QuoteTyped(arg.substr(0, arg.find('='))));
        else
            texts.push_back(arg);
    }
    return texts;
}

void CheckTextCount(const std::vector<std::string>& texts)
{
    if (texts.size() > kInputCount)
        throw UsageError("too many field texts: expected at most " + std::to_string(kInputCount) + ", got " +
                         std::to_string(texts.size()));
}

// CLI11 takes the argument after an empty "--name=" as the option's value,
// so that "--output=$FILE" with FILE unset would quietly save to a file
// named after the first field and read the fields shifted by one. Such an
// empty value goes to CLI11 as an argument of its own, so that it stays the
// empty text.
std::vector<std::string> ReversedWithEmptyValuesKept(const CLI::App& app, const std::vector<std::string>& args)
{
    std::vector<std::string> reversed;
    reversed.reserve(args.size() + 1);
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        optionsEnded = optionsEnded || arg == "--";
        const CLI::Option* option = !optionsEnded && arg.size() > 3 && arg.starts_with("--") && arg.back() == '='
                                        ? app.get_option_no_throw(arg.substr(0, arg.size() - 1))
                                        : nullptr;
        if (option != nullptr && option->get_expected_max() > 0) {
            reversed.push_back(arg.substr(0, arg.size() - 1));
            reversed.emplace_back();
        } else {
            reversed.push_back(arg);
        }
    }
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}

// The long name the help lists an option under: "--format" for "-f" too.
std::string LongName(const CLI::Option& option) { return "--" + option.get_lnames().at(0); }

// CLI11's words for an option left without its value or a flag given one,
// in the tool's own words; other errors as CLI11 says them.
std::string UsageMessage(const CLI::App& app, const CLI::ParseError& error)
{
    for (const CLI::Option* option : app.get_options()) {
        const std::string name = LongName(*option);
        if (option->get_expected_max() > 0 &&
            error.what() == std::string(CLI::ArgumentMismatch::TypedAtLeast(option->get_name(), 1,
                                                                            option->get_type_name())
                                            .what()))
            return name + " needs a value";
        if (option->get_expected_max() == 0 &&
            error.what() == std::string(CLI::ArgumentMismatch::FlagOverride(option->get_lnames().at(0)).what()))
            return name + " takes no value";
    }
    return error.what();
}

// CLI11 takes "--batch=true" for "--batch", the flag's own value: a value
// after any flag's name is refused, as a value of another is.
void CheckFlagsHaveNoValues(const CLI::App& app, const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == "--")
            return;
        const std::size_t equals = arg.find('=');
        if (!arg.starts_with("--") || equals == std::string::npos)
            continue;
        const CLI::Option* option = app.get_option_no_throw(arg.substr(0, equals));
        if (option != nullptr && option->get_expected_max() == 0)
            throw UsageError(LongName(*option) + " takes no value");
    }
}

void CheckNothingRepeats(const CLI::App& app)
{
    for (const CLI::Option* option : app.get_options())
        if (option->count() > 1)
            throw UsageError(LongName(*option) + " is given more than once");
}

constexpr const char* kDescription =
    "Designs an EH antenna from the seven numbers of the main window and prints\n"
    "its 38-line report, exactly as the window computes and shows it.\n";

// `text` as lines of at most 76 characters, each after two spaces, broken
// at spaces.
std::string Paragraph(const std::string& text)
{
    constexpr std::size_t kWidth = 76;
    constexpr std::string_view kIndent = "  ";
    std::string wrapped;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view word(text.data() + start, end - start);
        if (!line.empty() && kIndent.size() + line.size() + 1 + word.size() > kWidth) {
            wrapped.append(kIndent).append(line).append("\n");
            line.clear();
        }
        if (!line.empty())
            line += ' ';
        line.append(word);
        start = end + 1;
    }
    wrapped.append(kIndent).append(line).append("\n");
    return wrapped;
}

std::string Footer()
{
    const std::string inputs = std::to_string(kInputCount);
    const std::string results = std::to_string(kResultCount);
    const std::string lines = std::to_string(kReportLineCount);
    return R"(Field texts:
  Each text is read exactly as the window reads its field (the same code):
  leading and trailing spaces, a sign, digits with the decimal separator, an
  exponent ("15e-1"); anything else is not a number. With the separator ','
  both "14.2" and "14,2" read as 14.2. A text starting with "-" is a field
  text unless it is one of the options above; "--" ends the options.
  With --units in, the four lengths are typed in inches and converted
  exactly (the decimal times 25.4) before the model; json and csv stay in
  millimetres. WIRE_DIAMETER may also be a gauge, in either unit: "14 AWG",
  "AWG14", "#14", "0000" to "40" AWG ("4/0" to "1/0" too).

Formats:
  text  the )" + lines + R"( report lines in UTF-8, each ending in a line feed.
  json  one object: "inputs" (the )" + inputs + R"( TAntennaInputs fields), "results" (the )" + results + R"(
        TAntennaResults fields, each double in shortest round-trip form),
        "report" ()" + lines + R"( objects: kind, text, runs of start/length/bold/underline/
        size, counted in characters) and "notice" (the pitch notice or null).
  csv   a header and one row: the )" + inputs + R"( inputs and )" + results + R"( results by name, then
        notice, fault_kind, fault_message; numbers in shortest round-trip
        form with a point. A sweep writes one row per value; a row that
        faulted has empty results and its fault.
  With --output, the text report goes to the file instead of standard
  output (json and csv are still printed). A sweep writes csv unless
  --format json (one JSON object per line) is given; text is not allowed.
  --bands and --solve write their own tables in each format; see below.

Sweep (--sweep NAME=START:STOP:STEP):
)" + Paragraph("NAME is " + InputKeys(" or ") +
                    ". The swept field's own argument is still given but not read (write e.g. \"_\"). Values are "
                    "START + i*STEP up to STOP (at most " + std::to_string(kMaxSweepRows) +
                    " rows), counted in the smallest decimal unit of the three texts: 1.8:2.0:0.1 gives "
                    "1.8, 1.9 and 2.0, and STOP is the last value whenever the steps reach it.") +
           R"(
Bands (--bands [--region 1|2|3]):
)" + Paragraph("The typed design tuned to the low edge, the centre and the high edge of each amateur band of an "
                    "IARU region (1, the default: 160m to 10m with 60m, and 6m at 50-52 MHz; 2 and 3 as their band plans "
                    "give them). For each band: its edges in kHz, the 3 dB bandwidth at the centre, whether one "
                    "setting covers the whole band (bandwidth >= band width) and how many settings it takes. The "
                    "FREQUENCY argument is not read (write \"_\"). text is an aligned table; json one object per band "
                    "and line with the keys band, low_khz, high_khz, bandwidth_khz, covers and settings (null when the "
                    "design faults at the centre; an \"error\" object then says why); csv a header and one row per band.") +
           R"(
Solve (--solve INPUT=FROM:TO --target RESULT=VALUE):
)" + Paragraph("Every value of the input INPUT (" + InputKeys(" or ") + ") from FROM to TO at which the result "
                    "RESULT, a key of the json \"results\" object (such as BandwidthKHz), equals VALUE. The result is "
                    "computed at " + std::to_string(kSolveGridPoints) + " evenly spaced points; each change of sign "
                    "is narrowed down to neighbouring doubles, and points where the design faults split the range. "
                    "The input's own argument is not read (write \"_\"). text writes one solution a line, in "
                    "shortest round-trip form with a point; json {\"input\":...,\"result\":...,\"target\":...,"
                    "\"solutions\":[...]}; csv a header (the input's key) and one solution a line. With no solution "
                    "the list is empty, stderr says what range the result had, and the exit code is 0.") +
           R"(
Batch (--batch):
)" + Paragraph("Reads JSON Lines on standard input, each an object with any of the keys " + InputKeys(", ") +
                    " (field texts as strings; a missing key is the empty text) and separator; writes one JSON line "
                    "per line read: the design as in --format json, {\"field\":\"EC16\",\"reset_text\":\"0.1\"} "
                    "for a field that is not a number, {\"error\":{\"kind\":...,\"message\":...}} for a fault, or "
                    "kind \"EParseError\" for a malformed line. No positional arguments are taken.") +
           R"(
Measured (--measured FILE, --bandwidth-from FILE):
)" + Paragraph("FILE is a one-port sweep saved by a vector network analyser (Touchstone 1.x or 2.0, .s1p: S, Z or Y "
                    "parameters, RI, MA or DB, HZ to GHZ; at most " + std::to_string(kTouchstoneMaxBytes >> 20) +
                    " MiB and " + std::to_string(kTouchstoneMaxPoints) + " points, at least " +
                    std::to_string(kTouchstoneMinPoints) + "; frequencies rising). The resonance is the frequency of "
                    "the smallest reflection, refined between samples; a smallest reflection at an end of the sweep "
                    "is no resonance. Q = w0 |Z'(w0)| / (2 R(w0)) from the slope of the feed impedance (Yaghjian and "
                    "Best, IEEE Trans. Antennas Propag. 53(4), 2005), Z' from a least-squares fit over the points of "
                    "the resonance; the 3 dB bandwidth is f0/Q. Beside it the spans where SWR <= 2.618 and SWR <= 2, "
                    "when they lie inside the sweep. --measured writes text (a line per figure), json (one object: "
                    "points, reference_ohm, resonance_mhz, swr_min, r_ohm, x_ohm, q, bandwidth_khz, bandwidth_field (the "
                    "bandwidth to 5 significant digits, as --bandwidth-from types it), swr_bandwidth_khz, swr2_bandwidth_khz, points_above_one, method, note; null where a figure "
                    "cannot be had, the reason in note) or csv (frequency_hz, r_ohm, x_ohm, swr, return_loss_db, one "
                    "row per point; empty where not finite). --bandwidth-from takes the six other field texts and "
                    "prints the design, in every format and with --output, exactly as typing the bandwidth that "
                    "--measured prints (bandwidth_field) as the seventh. A file that cannot be read is refused with its line (exit "
                    "2); a sweep that gives no bandwidth ends --bandwidth-from with exit 1 and the reason.") +
           R"(
Exit codes:
  0  success (also when the pitch notice was printed as a warning on stderr,
     for a sweep or batch whose rows carry faults, and for a solve that
     found no solution)
  1  a calculation fault (its message, with the failure box's trailing dot,
     on stderr: "Floating point division by zero."), a report file that
     cannot be written, output that cannot be written, or standard input
     that cannot be read, a measured sweep that gives no bandwidth
     (--bandwidth-from)
  2  a usage error (an unknown name or a bad range of --sweep or --solve
     included), or a field that is not a number (stderr names the field and
     what was typed), or a measured sweep that cannot be read (stderr names
     the file, the line and why)

Examples:
  eh-antenna-cli --separator , 14.2 50 3 1 2 50
  eh-antenna-cli -s , -f json 14.2 50 3 1 2 50 500
  eh-antenna-cli -s , --output report.txt 14.2 50 3 1 2 50
  eh-antenna-cli -s , --sweep frequency=3.5:29.7:0.1 _ 50 3 1 2 50 > sweep.csv
  eh-antenna-cli --bands --region 1 _ 50 3 1 2 50
  eh-antenna-cli --measured antenna.s1p --format json
  eh-antenna-cli -s , --bandwidth-from antenna.s1p 14.2 50 3 1 2 50
  eh-antenna-cli --solve cylinder-diameter=10:200 --target BandwidthKHz=500 14.2 _ 3 1 2 50
  echo '{"frequency": "14.2", "cylinder-diameter": "50", "ratio": "3", "wire-diameter": "1", "pitch": "2", "turn-diameter": "50", "bandwidth": "0", "separator": ","}' | eh-antenna-cli --batch
)";
}

// The usage lines of --bands and --solve, whose fields are given as for
// --sweep.
std::string StudyUsage()
{
    const auto& fields = InputTable();
    const std::string program = kProgram;
    const std::string others = std::string(fields.front().argument) + " ... [" + fields.back().argument + "]\n";
    return "       " + program + " [OPTIONS] --bands [--region 1|2|3] " + others + //
           "       " + program + " [OPTIONS] --solve INPUT=FROM:TO --target RESULT=VALUE " + others;
}

// The usage lines of the ways to run the tool.
class UsageFormatter : public CLI::Formatter {
public:
    std::string make_usage(const CLI::App*, std::string) const override
    {
        const auto& fields = InputTable();
        const std::string program = kProgram;
        return "Usage: " + program + " [OPTIONS] " + FieldArguments() + "\n" + //
               "       " + program + " [OPTIONS] --sweep NAME=START:STOP:STEP " + fields.front().argument +
               " ... [" + fields.back().argument + "]\n" + //
               StudyUsage() + //
               "       " + program + " [OPTIONS] --batch < requests.jsonl\n" + //
               "       " + program + " [OPTIONS] --measured FILE\n" + //
               "       " + program + " [OPTIONS] --bandwidth-from FILE " + fields.front().argument + " ... " +
               fields[kOptionalField - 1].argument + "\n";
    }

    // The field texts are not CLI11 positionals (CLI11 would take "-.5" for
    // an option); they are listed here as it would list them.
    std::string make_positionals(const CLI::App*) const override
    {
        std::ostringstream out;
        out << "\n" << get_label("Positionals") << ":\n";
        const auto& fields = InputTable();
        for (std::size_t i = 0; i < fields.size(); ++i) {
            std::string help = std::string(fields[i].words) + " (" + fields[i].component + ")";
            if (i == kOptionalField)
                help += ", default \"0\" (none measured)";
            CLI::detail::format_help(out, std::string(fields[i].argument) + " TEXT", help, get_column_width());
        }
        return out.str();
    }
};

// Builds the CLI11 description of the command line; the values land in
// `options` and `raw`.
struct RawValues {
    std::string separator;
    std::string format;
    std::string output;
    std::string sweep;
    std::string region;
    std::string solve;
    std::string target;
    std::string measured;
    std::string bandwidthFrom;
    std::string language;
    std::string units;
};

// A CLI11 check that `value` is one of `choices`; the value is quoted as
// typed, so that no raw byte reaches the terminal.
CLI::Validator OneOf(std::vector<std::string> choices)
{
    std::string names;
    for (const std::string& choice : choices)
        names += (names.empty() ? "{" : ",") + choice;
    names += "}";
    return CLI::Validator(
        [choices, names](std::string& value) {
            return std::find(choices.begin(), choices.end(), value) != choices.end()
                       ? std::string()
                       : EscapeTyped(value) + " not in " + names;
        },
        names);
}

void Describe(CLI::App& app, CliOptions& options, RawValues& raw)
{
    app.description(kDescription);
    app.footer(Footer());
    auto formatter = std::make_shared<UsageFormatter>();
    formatter->column_width(30);
    app.formatter(formatter);
    app.set_version_flag("--version", std::string(kProgram) + " " + EH_CLI_VERSION);

    app.add_option("-s,--separator", raw.separator,
                   "Decimal separator, one character (default: the region's, or '.')")
        ->type_name("C");
    app.add_option("-f,--format", raw.format, "Output format: text (default), json or csv")
        ->check(OneOf({"text", "json", "csv"}))
        ->type_name("FORMAT");
    app.add_option("-o,--output", raw.output,
                   "Save the report as the window does (Windows-1251, CR LF, no BOM); - is standard output")
        ->type_name("FILE");
    app.add_option("--sweep", raw.sweep, "One design per value of one field; see Sweep below")
        ->type_name("NAME=START:STOP:STEP");
    app.add_flag("-b,--batch", options.batch, "Read JSON Lines requests on stdin; see Batch below");
    app.add_flag("--bands", options.bands, "How the design covers each amateur band; see Bands below");
    app.add_option("--region", raw.region, "IARU region of --bands: 1 (default), 2 or 3")->type_name("1|2|3");
    app.add_option("--solve", raw.solve, "Every value of INPUT where a result equals --target; see Solve below")
        ->type_name("INPUT=FROM:TO");
    app.add_option("--target", raw.target, "The result --solve looks for, and its value")->type_name("RESULT=VALUE");
    app.add_option("--measured", raw.measured, "Resonance, Q and 3 dB bandwidth of a measured sweep; see Measured below")
        ->type_name("FILE");
    app.add_option("--bandwidth-from", raw.bandwidthFrom,
                   "The design with the bandwidth measured in FILE as its seventh field; see Measured below")
        ->type_name("FILE");
    app.add_option("--language", raw.language, "Language of the report and its notices: ru (default) or en")
        ->check(OneOf({"ru", "en"}))
        ->type_name("LANG");
    app.add_option("--units", raw.units, "Unit of the lengths typed and reported: mm (default) or in; see Field texts")
        ->check(OneOf({"mm", "in"}))
        ->type_name("UNIT");

    // No flag takes a value ("--batch=true" included: see CheckFlagsHaveNoValues).
    for (CLI::Option* option : app.get_options([](const CLI::Option* o) { return o->get_expected_max() == 0; }))
        option->disable_flag_override();
    // An option given twice is refused in the tool's own words, flags and
    // options alike (CheckNothingRepeats): CLI11 lets each be repeated.
    for (CLI::Option* option : app.get_options([](const CLI::Option* o) { return o->get_expected_max() > 0; }))
        option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    // Whatever CLI11 does not know is left over, in order, for FieldTexts.
    app.allow_extras();
}

} // namespace

std::string FieldArguments()
{
    std::string arguments;
    const auto& fields = InputTable();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            arguments += ' ';
        arguments += i == kOptionalField ? "[" + std::string(fields[i].argument) + "]" : fields[i].argument;
    }
    return arguments;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args, std::ostream& err)
{
    ParsedCommandLine parsed;
    CliOptions& options = parsed.options;
    CLI::App app(kDescription, kProgram);
    RawValues raw;
    Describe(app, options, raw);

    auto usage = [&](const std::string& message) { parsed.exitCode = Usage(err, message); };

    // The command line's own errors (an unknown option, too many field
    // texts) come before CLI11's, help and version; a missing value only
    // after the unknown options before it.
    std::vector<std::string> texts;
    try {
        std::vector<std::string> reversed = ReversedWithEmptyValuesKept(app, args);
        try {
            app.parse(reversed);
        } catch (const CLI::Success&) {
            CheckTextCount(FieldTexts(app.remaining()));
            throw;
        } catch (const CLI::ParseError& error) {
            texts = FieldTexts(app.remaining());
            const std::string message = UsageMessage(app, error);
            if (message == error.what())
                CheckTextCount(texts);
            throw UsageError(message);
        }
        texts = FieldTexts(app.remaining());
        CheckTextCount(texts);
        CheckFlagsHaveNoValues(app, args);
        CheckNothingRepeats(app);
    } catch (const UsageError& error) {
        usage(error.what());
        return parsed;
    } catch (const CLI::CallForHelp&) {
        parsed.standardOutput = app.help();
        parsed.exitCode = kExitSuccess;
        return parsed;
    } catch (const CLI::CallForVersion& version) {
        parsed.standardOutput = std::string(version.what()) + "\n" + kLicenceLine + "\n";
        parsed.exitCode = kExitSuccess;
        return parsed;
    }

    if (app.count("--separator") > 0) {
        options.separator = DecimalSeparatorFromText(raw.separator);
        if (!options.separator) {
            usage(std::string("--separator: expected ") + kDecimalSeparatorRule + ", got " + QuoteTyped(raw.separator));
            return parsed;
        }
    }
    if (app.count("--format") > 0) {
        options.formatGiven = true;
        options.format = raw.format == "json"  ? OutputFormat::Json
                         : raw.format == "csv" ? OutputFormat::Csv
                                               : OutputFormat::Text;
    }
    if (app.count("--output") > 0) {
        if (raw.output.empty()) {
            usage("--output: the file name is empty");
            return parsed;
        }
        options.outputPath = raw.output;
    }
    if (app.count("--sweep") > 0)
        options.sweep = raw.sweep;
    if (app.count("--region") > 0)
        options.region = raw.region;
    if (app.count("--solve") > 0)
        options.solve = raw.solve;
    if (app.count("--target") > 0)
        options.target = raw.target;
    for (const auto& [name, value, option] :
         {std::tuple{"--measured", &raw.measured, &options.measured},
          std::tuple{"--bandwidth-from", &raw.bandwidthFrom, &options.bandwidthFrom}}) {
        if (app.count(name) == 0)
            continue;
        if (value->empty()) {
            usage(std::string(name) + ": the file name is empty");
            return parsed;
        }
        *option = *value;
    }
    if (app.count("--language") > 0)
        options.language = LanguageFromCode(raw.language);
    if (app.count("--units") > 0)
        options.lengths = raw.units == "in" ? TLengthUnit::Inch : TLengthUnit::Millimetre;
    options.fieldTexts = std::move(texts);
    return parsed;
}

} // namespace eh::cli
