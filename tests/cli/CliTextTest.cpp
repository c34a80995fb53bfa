// SPDX-License-Identifier: GPL-3.0-or-later
// The text format, exit codes and messages of eh-antenna-cli, run as a process.
#include "CliTestSupport.h"

#include "Exceptions.h"
#include "NumberConversion.h"

#include <gtest/gtest.h>

namespace eh::test {
namespace {

const std::vector<std::string> kExampleA = {"14.2", "50", "3", "1", "2", "50"};

std::vector<std::string> With(std::vector<std::string> options, const std::vector<std::string>& fields)
{
    options.insert(options.end(), fields.begin(), fields.end());
    return options;
}

TEST(CliText, ExampleAIsTheReportByteForByte)
{
    const ProcessResult result = RunCli(With({"--separator", ","}, kExampleA));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, JoinLines(ExampleAReportLines(), "\n"));
    EXPECT_EQ(SplitLines(result.out).size(), 38u);
}

TEST(CliText, ExampleBWithMeasuredBandwidth)
{
    const ProcessResult result = RunCli(With({"--separator", ","}, {"14.2", "50", "3", "1", "2", "50", "500"}));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, JoinLines(ExampleBReportLines(), "\n"));
}

TEST(CliText, BandwidthDefaultsToZero)
{
    const ProcessResult withZero = RunCli(With({"-s", ","}, {"14.2", "50", "3", "1", "2", "50", "0"}));
    const ProcessResult without = RunCli(With({"-s,"}, kExampleA));
    EXPECT_EQ(withZero.exitCode, 0);
    EXPECT_EQ(without.exitCode, 0);
    EXPECT_EQ(withZero.out, without.out);
}

TEST(CliText, CommaAndPointTextsReadAlikeWithACommaSeparator)
{
    const ProcessResult result = RunCli({"--separator", ",", "14,2", " 50 ", "3", "1,0", "2.", "5e1"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, JoinLines(ExampleAReportLines(), "\n"));
}

TEST(CliText, ThePointSeparatorWritesPointsAndRejectsCommas)
{
    const ProcessResult rejected = RunCli({"--separator", ".", "14,2", "50", "3", "1", "2", "50"});
    EXPECT_EQ(rejected.exitCode, 2);
    EXPECT_EQ(rejected.out, "");
    EXPECT_EQ(rejected.err,
              "eh-antenna-cli: FREQUENCY (EC15, frequency in MHz) is not a number: \"14,2\"\n"
              "eh-antenna-cli: hint: the decimal separator is '.'; the text reads as a number with --separator ,\n");

    const ProcessResult whole = RunCli({"--separator", ".", "142e-1", "50", "3", "1", "2", "50"});
    EXPECT_EQ(whole.exitCode, 0);
    const std::vector<std::string> lines = SplitLines(whole.out);
    ASSERT_EQ(lines.size(), 38u);
    EXPECT_EQ(lines[1], "Частота = 14.20 МГц");
    EXPECT_EQ(lines[4], "C = 7.28 Пф");
}

TEST(CliText, FieldsAreReadByTheWindowsOwnConversion)
{
    // Whatever eh::ConvertFieldText makes of a text, the tool makes too.
    for (const char separator : {',', '.'}) {
        for (const std::string text : {"14.2", "14,2", " 14.2 ", "1e", ".", "5.", "-.5", "12.5.", "1 000"}) {
            bool reads = true;
            try {
                ConvertFieldText(text, separator);
            } catch (const EConvertError&) {
                reads = false;
            }
            const ProcessResult result =
                RunCli({"--separator", std::string(1, separator), "14.2", "50", "3", "1", "2", "50", text});
            // Exit 2 exactly when the text is not a number (a number may
            // still fault: -0.5 kHz makes the efficiency negative).
            EXPECT_EQ(result.exitCode == 2, !reads) << separator << " [" << text << "]";
        }
    }
}

TEST(CliText, LocaleDefaultIsAPointUnderTheCLocale)
{
    ProcessOptions options;
    options.setEnv = {"LC_ALL=C"};
    const ProcessResult result = RunCli({"14", "50", "3", "1", "2", "50"}, options);
    EXPECT_EQ(result.exitCode, 0);
    const std::vector<std::string> lines = SplitLines(result.out);
    ASSERT_EQ(lines.size(), 38u);
    EXPECT_EQ(lines[1], "Частота = 14.00 МГц");

    const ProcessResult comma = RunCli({"1,5", "50", "3", "1", "2", "50"}, options);
    EXPECT_EQ(comma.exitCode, 2);
}

TEST(CliText, LocaleDefaultIsTheWindowsRegionalSeparator)
{
    // The region's separator as the window takes it (from Qt's own locale
    // data, whether or not the C library has the locale installed).
    ProcessOptions options;
    options.setEnv = {"LC_ALL=ru_RU.UTF-8"};
    const ProcessResult result = RunCli({"14.2", "50", "3", "1", "2", "50"}, options);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(SplitLines(result.out).at(1), "Частота = 14,20 МГц");
}

TEST(CliText, PitchSmallerThanWireWarnsAndReports)
{
    const ProcessResult result = RunCli({"-s", ",", "14.2", "50", "3", "1", "0.5", "50"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "eh-antenna-cli: warning: Ошибка!!! Шаг намотки меньше диаметра провода!\n");
    const std::vector<std::string> lines = SplitLines(result.out);
    ASSERT_EQ(lines.size(), 38u);
    EXPECT_EQ(lines[13], "Шаг намотки = 0,50 мм");
}

TEST(CliText, EqualPitchAndWireGiveNoWarning)
{
    const ProcessResult result = RunCli({"-s", ",", "14.2", "50", "3", "1", "1", "50"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
}

struct FaultCase {
    std::vector<std::string> fields;
    std::string message;
};

void PrintTo(const FaultCase& fault, std::ostream* os)
{
    for (const std::string& arg : fault.fields)
        *os << '[' << arg << ']';
}

class CliFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(CliFault, ExitsWithOneAndTheMessageWithItsDot)
{
    const ProcessResult result = RunCli(With({"--separator", ","}, GetParam().fields));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "eh-antenna-cli: " + GetParam().message + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CliFault,
    ::testing::Values(FaultCase{{"0", "50", "3", "1", "2", "50"}, "Floating point division by zero."},
                      FaultCase{{"14.2", "0", "3", "1", "2", "50"}, "Floating point division by zero."},
                      FaultCase{{"-14.2", "50", "3", "1", "2", "50"}, "Invalid floating point operation."},
                      FaultCase{{"1e300", "50", "3", "1", "2", "50"}, "Floating point overflow."},
                      // A field beyond the double range: the field reading's overflow.
                      FaultCase{{"1e400", "50", "3", "1", "2", "50"}, "Floating point overflow."},
                      // The window's reset values fault at step 11.
                      FaultCase{{"0.1", "0.1", "0.1", "0.1", "0.1", "0.1", "0"}, "Invalid floating point operation."},
                      // A report line that overflows once scaled by 10 (line 9).
                      FaultCase{{"1e-6", "50", "1e307", "1", "2", "50"}, "Floating point overflow."}));

TEST(CliText, FaultAfterThePitchWarningKeepsBoth)
{
    const ProcessResult result = RunCli({"-s", ",", "0", "50", "3", "1", "0.5", "50"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "eh-antenna-cli: warning: Ошибка!!! Шаг намотки меньше диаметра провода!\n"
                          "eh-antenna-cli: Floating point division by zero.\n");
}

TEST(CliText, FirstFieldThatIsNotANumberIsNamed)
{
    const ProcessResult result = RunCli({"-s", ",", "14.2", "fifty", "x", "1", "2", "50"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "eh-antenna-cli: CYLINDER_DIAMETER (EC16, cylinder diameter in mm) is not a number: \"fifty\"\n");
}

TEST(CliText, EveryFieldHasItsName)
{
    const std::vector<std::string> names = {
        "FREQUENCY (EC15, frequency in MHz)",
        "CYLINDER_DIAMETER (EC16, cylinder diameter in mm)",
        "LD_RATIO (EC17, cylinder length-to-diameter ratio)",
        "WIRE_DIAMETER (EC33, coil wire diameter in mm)",
        "PITCH (EC34, winding pitch in mm)",
        "TURN_DIAMETER (EC36, coil turn diameter in mm)",
        "BANDWIDTH (EC27, measured bandwidth in kHz)",
    };
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::vector<std::string> fields = {"14.2", "50", "3", "1", "2", "50", "0"};
        fields[i] = "";
        const ProcessResult result = RunCli(With({"-s", ","}, fields));
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, "eh-antenna-cli: " + names[i] + " is not a number: \"\"\n");
    }
}

TEST(CliText, NegativeTextsAreFieldsNotOptions)
{
    // "-.5" looks like an option to a naive parser; here it is the frequency.
    const ProcessResult result = RunCli({"-s", ",", "-.5", "50", "3", "1", "2", "50"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "eh-antenna-cli: Invalid floating point operation.\n");

    const ProcessResult bandwidth = RunCli({"-s", ",", "14.2", "50", "3", "1", "2", "50", "-500"});
    EXPECT_EQ(bandwidth.exitCode, 0);
    EXPECT_EQ(SplitLines(bandwidth.out)[27], "RR= -54,24 Ом");

    const ProcessResult afterMark = RunCli({"-s", ",", "--", "-e", "50", "3", "1", "2", "50"});
    EXPECT_EQ(afterMark.exitCode, 2);
    EXPECT_EQ(afterMark.err, "eh-antenna-cli: FREQUENCY (EC15, frequency in MHz) is not a number: \"-e\"\n");
}

struct UsageCase {
    std::vector<std::string> args;
    std::string message;
};

class CliUsage : public ::testing::TestWithParam<UsageCase> {};

void PrintTo(const UsageCase& usage, std::ostream* os)
{
    for (const std::string& arg : usage.args)
        *os << '[' << arg << ']';
}

TEST_P(CliUsage, ExitsWithTwo)
{
    TempDir dir; // nothing may be written, and nothing lands in the test's folder
    ProcessOptions options;
    options.workingDirectory = dir.path().string();
    const ProcessResult result = RunCli(GetParam().args, options);
    EXPECT_TRUE(dir.Entries().empty());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "eh-antenna-cli: " + GetParam().message + "\nRun with --help for more information.\n");
}

INSTANTIATE_TEST_SUITE_P(
    Usage, CliUsage,
    ::testing::Values(
        UsageCase{{"-s", ","},
                  "expected 6 or 7 field texts (FREQUENCY CYLINDER_DIAMETER LD_RATIO WIRE_DIAMETER PITCH "
                  "TURN_DIAMETER [BANDWIDTH]), got 0"},
        UsageCase{{"-s", ",", "1", "2", "3", "4", "5"},
                  "expected 6 or 7 field texts (FREQUENCY CYLINDER_DIAMETER LD_RATIO WIRE_DIAMETER PITCH "
                  "TURN_DIAMETER [BANDWIDTH]), got 5"},
        UsageCase{{"-s", ",", "1", "2", "3", "4", "5", "6", "7", "8"}, "too many field texts: expected at most 7, got 8"},
        UsageCase{{"-s", ",", "--bogus", "1"}, "unknown option \"--bogus\""},
        UsageCase{{"-s", ",", "-x", "1"}, "unknown option \"-x\""},
        UsageCase{{"--separator", ",,", "1", "2", "3", "4", "5", "6"},
                  "--separator: expected one printable ASCII character other than a digit, +, -, e, E or a space, got \",,\""},
        UsageCase{{"--separator", "", "1", "2", "3", "4", "5", "6"},
                  "--separator: expected one printable ASCII character other than a digit, +, -, e, E or a space, got \"\""},
        UsageCase{{"-s", ",", "--format", "xml", "1", "2", "3", "4", "5", "6"}, "--format: xml not in {text,json,csv}"},
        UsageCase{{"-s", ",", "--format", "\xff\n", "1", "2", "3", "4", "5", "6"},
                  "--format: \\xFF\\x0A not in {text,json,csv}"},
        UsageCase{{"--separator", "1", "1", "2", "3", "4", "5", "6"},
                  "--separator: expected one printable ASCII character other than a digit, +, -, e, E or a space, got \"1\""},
        UsageCase{{"-s", "e", "1", "2", "3", "4", "5", "6"},
                  "--separator: expected one printable ASCII character other than a digit, +, -, e, E or a space, got \"e\""},
        UsageCase{{"-s", " ", "1", "2", "3", "4", "5", "6"},
                  "--separator: expected one printable ASCII character other than a digit, +, -, e, E or a space, got \" \""},
        UsageCase{{"-s", "\xd0\x96", "1", "2", "3", "4", "5", "6"},
                  "--separator: expected one printable ASCII character other than a digit, +, -, e, E or a space, got \"\xd0\x96\""},
        UsageCase{{"--help=1"}, "--help takes no value"},
        UsageCase{{"-s", ",", "--batch=no"}, "--batch takes no value"},
        // One rule for every option and flag, in one wording.
        UsageCase{{"--batch=true"}, "--batch takes no value"},
        UsageCase{{"-f", "json", "-f", "csv", "1", "2", "3", "4", "5", "6"}, "--format is given more than once"},
        UsageCase{{"-s", ",", "--separator=,", "1", "2", "3", "4", "5", "6"}, "--separator is given more than once"},
        UsageCase{{"--solve", "pitch=0:1", "--target", "QFactor=1", "--solve", "pitch=0:1"},
                  "--solve is given more than once"},
        UsageCase{{"--bands", "--bands", "_", "50", "3", "1", "2", "50"}, "--bands is given more than once"},
        UsageCase{{"-bb"}, "--batch is given more than once"},
        UsageCase{{"-s", ",", "1", "2", "3", "4", "5", "6", "--separator"}, "--separator needs a value"},
        UsageCase{{"-s", ",", "-o"}, "--output needs a value"},
        UsageCase{{"--separator=", "1", "2", "3", "4", "5", "6"},
                  "--separator: expected one printable ASCII character other than a digit, +, -, e, E or a space, got \"\""},
        UsageCase{{"-s", ",", "--output", "", "1", "2", "3", "4", "5", "6"}, "--output: the file name is empty"},
        // "--output=$FILE" with FILE unset: the first field must not become the file name.
        UsageCase{{"-s", ",", "--output=", "14.2", "50", "3", "1", "2", "50", "-500"}, "--output: the file name is empty"},
        UsageCase{{"-s", ",", "-bx"}, "unknown option \"-x\""},
        UsageCase{{"-s", ",", "--batch", "1"}, "--batch takes no field arguments (the requests come on standard input)"},
        UsageCase{{"-s", ",", "--batch", "--format", "csv"}, "--batch writes JSON Lines only (--format json)"},
        UsageCase{{"-s", ",", "--batch", "--output", "x.txt"}, "--batch cannot save a report file (--output)"}));

TEST(CliText, OutputThatCannotBeWrittenIsExitOne)
{
    ProcessOptions options;
    options.stdoutFile = "/dev/full"; // every write fails with "no space left"
    const ProcessResult single = RunCli({"-s", ",", "14.2", "50", "3", "1", "2", "50"}, options);
    EXPECT_EQ(single.exitCode, 1);
    EXPECT_EQ(single.err, "eh-antenna-cli: cannot write the output: No space left on device\n");

    std::string requests;
    for (int i = 0; i < 2000; ++i)
        requests += R"({"frequency":"14.2","cylinder-diameter":"50","ratio":"3","wire-diameter":"1","pitch":"2","turn-diameter":"50","bandwidth":"0"})" "\n";
    options.input = requests;
    const ProcessResult batch = RunCli({"-s", ",", "--batch"}, options);
    EXPECT_EQ(batch.exitCode, 1);
    EXPECT_EQ(batch.err, "eh-antenna-cli: cannot write the output: No space left on device\n");
}

TEST(CliText, HelpAndVersion)
{
    const ProcessResult help = RunCli({"-s", ",", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: eh-antenna-cli [OPTIONS] FREQUENCY CYLINDER_DIAMETER LD_RATIO WIRE_DIAMETER "
                            "PITCH TURN_DIAMETER [BANDWIDTH]"),
              std::string::npos);
    EXPECT_NE(help.out.find("--sweep NAME=START:STOP:STEP"), std::string::npos);
    EXPECT_NE(help.out.find("Exit codes:"), std::string::npos);
    EXPECT_EQ(help.err, "");

    const ProcessResult version = RunCli({"-s", ",", "--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("eh-antenna-cli ", 0), 0u);
    EXPECT_NE(version.out.find("\nLicense GPL-3.0-or-later"), std::string::npos);

    // Help or version that cannot be written is a failure, not silence.
    ProcessOptions full;
    full.stdoutFile = "/dev/full";
    for (const char* option : {"--help", "--version"}) {
        const ProcessResult result = RunCli({option}, full);
        EXPECT_EQ(result.exitCode, 1) << option;
        EXPECT_EQ(result.err, "eh-antenna-cli: cannot write the output: No space left on device\n") << option;
    }
}

} // namespace
} // namespace eh::test
