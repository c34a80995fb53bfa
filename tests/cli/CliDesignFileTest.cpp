// SPDX-License-Identifier: GPL-3.0-or-later
// --design: a design file saved by the explorer stands for the field texts.
#include "CliTestSupport.h"
#include "DesignFile.h"
#include "ExplorerDesignFile.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>

namespace {

using eh::test::RunCli;
using eh::test::TempDir;

const char* const kExampleB =
    R"({"frequency":"14,2","cylinder-diameter":"50","ratio":"3","wire-diameter":"1","pitch":"2",)"
    R"("turn-diameter":"50","bandwidth":"500","separator":","})";

TEST(CliDesignFile, AFileGivesTheSameReportAsItsTexts)
{
    TempDir dir;
    eh::test::WriteFileBytes(dir.path() / "b.json", kExampleB);
    // Saved with a comma, read where a point is the mark.
    const eh::test::ProcessResult byFile = RunCli({"-s", ".", "--design", (dir.path() / "b.json").string()});
    const eh::test::ProcessResult byTexts = RunCli({"-s", ".", "14.2", "50", "3", "1", "2", "50", "500"});
    EXPECT_EQ(byFile.exitCode, 0) << byFile.err;
    EXPECT_EQ(byFile.out, byTexts.out);
    const eh::test::ProcessResult sweep =
        RunCli({"-s", ",", "--design", (dir.path() / "b.json").string(), "--sweep", "frequency=7:8:0,5"});
    EXPECT_EQ(sweep.exitCode, 0) << sweep.err;
}

// The explorer saves a design typed in inches in millimetres: the tool
// reads it as the design the inches give.
TEST(CliDesignFile, ADesignTypedInInchesIsReadAsTheSameDesign)
{
    eh::ExplorerModel model;
    model.SetFieldTextOptions({.lengths = eh::TLengthUnit::Inch});
    model.SetFieldTexts({"14.2", "1.968503937", "3", "0.0393700787", "0.0787401575", "1.968503937", "500"});
    TempDir dir;
    eh::test::WriteFileBytes(dir.path() / "in.json", eh::WriteDesignFile(eh::ExplorerDesignFile(model), '.'));
    const eh::test::ProcessResult byFile = RunCli({"-f", "json", "--design", (dir.path() / "in.json").string()});
    const eh::test::ProcessResult byInches = RunCli(
        {"-f", "json", "--units", "in", "14.2", "1.968503937", "3", "0.0393700787", "0.0787401575", "1.968503937", "500"});
    EXPECT_EQ(byFile.exitCode, 0) << byFile.err;
    // The same design to the last digit; only the report is in other units.
    const nlohmann::json file = nlohmann::json::parse(byFile.out);
    const nlohmann::json inches = nlohmann::json::parse(byInches.out);
    EXPECT_EQ(file["inputs"], inches["inputs"]);
    EXPECT_EQ(file["results"], inches["results"]);
}

TEST(CliDesignFile, ABadFileIsNamedWithWhatIsWrong)
{
    TempDir dir;
    const std::string bad = (dir.path() / "bad.json").string();
    eh::test::WriteFileBytes(bad, R"({"frequency":"14.2"})");
    const std::string pipe = (dir.path() / "pipe").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--design", bad}, "eh-antenna-cli: --design \"" + bad + "\": the key \"cylinder-diameter\" is missing\n"},
        {{"--design", pipe}, "eh-antenna-cli: --design \"" + pipe + "\": not a regular file\n"},
        {{"--design", bad, "14.2", "50", "3", "1", "2", "50"},
         "eh-antenna-cli: --design takes the place of the field texts: give one or the other\n"
         "Run with --help for more information.\n"},
    };
    for (const Case& c : cases) {
        const eh::test::ProcessResult result = RunCli(c.args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, c.message);
        EXPECT_EQ(result.out, "");
    }
}

} // namespace
