// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile field texts: huge, binary, non-numbers and endless exponents.
#include "CliTestSupport.h"

#include "Cli.h"

#include <gtest/gtest.h>

#include <sstream>

namespace eh::test {
namespace {

// Linux refuses a single argument of 128 KiB or more (MAX_ARG_STRLEN), so
// the process gets the largest argument it can; the 1 MB text is run
// through the same code in the process below.
constexpr std::size_t kLargestArgument = 128 * 1024 - 1;

int RunInProcess(const std::vector<std::string>& args, std::string& out, std::string& err)
{
    std::istringstream in;
    std::ostringstream outStream;
    std::ostringstream errStream;
    const int code = cli::RunCli(args, {in, outStream, errStream});
    out = outStream.str();
    err = errStream.str();
    return code;
}

TEST(CliHostile, LargestPossibleArgument)
{
    const ProcessResult digits = RunCli({"-s", ",", std::string(kLargestArgument, '1'), "50", "3", "1", "2", "50"});
    // 131071 digits overflow the extended mantissa: not a number.
    EXPECT_EQ(digits.exitCode, 2);
    EXPECT_EQ(digits.out, "");
    EXPECT_EQ(digits.err, "eh-antenna-cli: FREQUENCY (EC15, frequency in MHz) is not a number: \"" +
                              std::string(100, '1') + "\"... (131071 bytes)\n");

    // A long number that fits: "1" and zeros with a fraction point far out.
    const std::string longNumber = "0," + std::string(kLargestArgument - 4, '0') + "14";
    const ProcessResult tiny = RunCli({"-s", ",", longNumber, "50", "3", "1", "2", "50"});
    EXPECT_EQ(tiny.exitCode, 1); // 1.4e-131068 is 0 as a double: division by zero
    EXPECT_EQ(tiny.err, "eh-antenna-cli: Floating point division by zero.\n");
}

TEST(CliHostile, OneMegabyteArgumentInProcess)
{
    std::string out, err;
    const std::string huge(1 << 20, '9');
    EXPECT_EQ(RunInProcess({"-s", ",", "14.2", huge, "3", "1", "2", "50"}, out, err), 2);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "eh-antenna-cli: CYLINDER_DIAMETER (EC16, cylinder diameter in mm) is not a number: \"" +
                       std::string(100, '9') + "\"... (1048576 bytes)\n");

    // One megabyte of spaces around a number still reads.
    const std::string padded = std::string(1 << 19, ' ') + "14.2" + std::string(1 << 19, ' ');
    EXPECT_EQ(RunInProcess({"-s", ",", padded, "50", "3", "1", "2", "50"}, out, err), 0);
    EXPECT_EQ(out, JoinLines(ExampleAReportLines(), "\n"));
}

TEST(CliHostile, BinaryBytesAreEscapedInTheMessage)
{
    const ProcessResult result = RunCli({"-s", ",", "\x01\xff\xfe\x80" "abc\x7f\"\\", "50", "3", "1", "2", "50"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err,
              "eh-antenna-cli: FREQUENCY (EC15, frequency in MHz) is not a number: \"\\x01\\xFF\\xFE\\x80abc\\x7F\\\"\\\\\"\n");
    // Valid UTF-8 is shown as typed.
    const ProcessResult cyrillic = RunCli({"-s", ",", "14.2", "пятьдесят", "3", "1", "2", "50"});
    EXPECT_EQ(cyrillic.exitCode, 2);
    EXPECT_EQ(cyrillic.err,
              "eh-antenna-cli: CYLINDER_DIAMETER (EC16, cylinder diameter in mm) is not a number: \"пятьдесят\"\n");
}

TEST(CliHostile, NanInfinityAndFriendsAreNotNumbers)
{
    for (const std::string text : {"nan", "NaN", "inf", "-inf", "Infinity", "0x10", "1e", "1 000", "12.5.", "\t1"}) {
        const ProcessResult result = RunCli({"-s", ",", text, "50", "3", "1", "2", "50"});
        if (text == "1e") {
            // "1e" reads as 1 (exponent 0).
            EXPECT_EQ(result.exitCode, 0) << text;
            continue;
        }
        EXPECT_EQ(result.exitCode, 2) << text;
        EXPECT_EQ(result.out, "") << text;
    }
}

TEST(CliHostile, TenThousandExponentDigits)
{
    // The exponent stops being read once it reaches 500: the rest is left
    // unread and the text is not a number.
    const ProcessResult nines = RunCli({"-s", ",", "1e" + std::string(10000, '9'), "50", "3", "1", "2", "50"});
    EXPECT_EQ(nines.exitCode, 2);
    EXPECT_EQ(nines.err.rfind("eh-antenna-cli: FREQUENCY (EC15, frequency in MHz) is not a number: \"1e999", 0), 0u);
    EXPECT_NE(nines.err.find("... (10002 bytes)"), std::string::npos);

    // Leading zeros never reach 500: 1e-000...01 is 0.1.
    const ProcessResult zeros = RunCli({"-s", ",", "1e-" + std::string(10000, '0') + "1", "50", "3", "1", "2", "50"});
    EXPECT_EQ(zeros.exitCode, 0);
    EXPECT_EQ(SplitLines(zeros.out).at(1), "Частота = 0,10 МГц");

    // Within the extended range but not the double range: overflow (exit 1).
    const ProcessResult overflow = RunCli({"-s", ",", "1e0" + std::string(100, '0') + "500", "50", "3", "1", "2", "50"});
    EXPECT_EQ(overflow.exitCode, 1);
    EXPECT_EQ(overflow.err, "eh-antenna-cli: Floating point overflow.\n");
}

TEST(CliHostile, HugeOptionValues)
{
    const ProcessResult separator = RunCli({"--separator", std::string(100000, ','), "1", "2", "3", "4", "5", "6"});
    EXPECT_EQ(separator.exitCode, 2);
    const ProcessResult sweep = RunCli({"-s", ",", "--sweep", "frequency=" + std::string(100000, '1') + ":2:1", "_", "50", "3", "1", "2", "50"});
    EXPECT_EQ(sweep.exitCode, 2);
    EXPECT_NE(sweep.err.find("--sweep: START \"1111111111111111111111111111111111111111...\" is not a number"),
              std::string::npos);
}

} // namespace
} // namespace eh::test
